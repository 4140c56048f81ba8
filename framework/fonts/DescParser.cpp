#include "framework/fonts/DescParser.h"

#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"

namespace Vuro {

namespace {

// Every value of a tree, the lists themselves included.
int CountValues(const DataElement* element) {
    if (!element->mIsList) {
        return 1;
    }
    int count = 1;
    for (const DataElement* child : static_cast<const ListDataElement*>(element)->mElementVector) {
        count += CountValues(child);
    }
    return count;
}

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

} // namespace

DescParser::~DescParser() {
    for (auto& [name, value] : mDefineMap) {
        delete value;
    }
}

bool DescParser::Error(const std::string& text) {
    mError = text;
    return false;
}

DataElement* DescParser::GetDefine(const std::string& name) {
    auto found = mDefineMap.find(StringToUpper(name));
    return found == mDefineMap.end() ? nullptr : found->second;
}

bool DescParser::LoadDescriptor(const std::string& fileName) {
    mCommandLine = 0;
    mError.clear();
    FILE* file = Platform::OpenFile(fileName, "r");
    if (file == nullptr) {
        return false;
    }
    bool ok = LoadDescriptorStream(file);
    std::fclose(file);
    return ok;
}

bool DescParser::LoadDescriptorStream(FILE* file) {
    mCommandLine = 0;
    mCommandText.clear();
    int lineBreaks = 0;
    bool atLineStart = true;
    bool inComment = false;
    bool inSingle = false;
    bool inDouble = false;
    bool escapePending = false;
    bool ok = true;

    auto append = [&](char c) {
        if (mCommandText.empty()) {
            mCommandLine = lineBreaks + 1;
        }
        mCommandText += c;
    };
    auto flushEscape = [&] {
        if (escapePending) {
            append('\\');
            escapePending = false;
        }
    };
    // Runs the command read so far; false stops the reading.
    auto endCommand = [&] {
        if (!mCommandText.empty() && !ParseDescriptorLine(mCommandText)) {
            ok = false;
        }
        mCommandText.clear();
        atLineStart = true;
        inComment = inSingle = inDouble = escapePending = false;
        return ok;
    };

    size_t length = 0;
    for (int read = std::fgetc(file); read != EOF; read = std::fgetc(file)) {
        // A descriptor is a page of text: anything longer is not one (a device, a stray
        // binary), and reading on would never end or fill the memory.
        if (++length > kMaxDescriptorBytes) {
            ok = Error("Descriptor File Too Large");
            break;
        }
        const char c = static_cast<char>(read);
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            ++lineBreaks;
        }
        if (atLineStart) {
            if (c == ' ' || c == '\t' || c == '\n') {
                continue;
            }
            atLineStart = false;
            inComment = c == '#';
        }
        const bool inQuotes = inSingle || inDouble;
        if (c == '\n') {
            atLineStart = true;
            if (inComment) {
                inComment = false;
            } else {
                flushEscape();
                append(c);
            }
        } else if (inComment) {
            continue;
        } else if (c == '\\') {
            if (!inQuotes) {
                append(c);
            } else if (escapePending) {
                append('\\');
                append('\\');
                escapePending = false;
            } else {
                escapePending = true;
            }
        } else if ((c == '\'' && !inDouble) || (c == '"' && !inSingle)) {
            if (escapePending) {
                append('\\');
                append(c);
                escapePending = false;
            } else {
                bool& flag = c == '\'' ? inSingle : inDouble;
                flag = !flag;
                append(c);
            }
        } else if (c == ';' && !inQuotes) {
            if (!endCommand()) {
                break;
            }
        } else {
            flushEscape();
            append(c);
        }
    }
    if (ok && std::ferror(file)) {
        ok = Error("Unable to Read Descriptor File"); // a folder, or a failing disk
    }
    if (ok) {
        endCommand();
    }
    mCommandText.clear();
    mCommandLine = 0;
    return ok;
}

bool DescParser::ParseDescriptorLine(const std::string& text) {
    ListDataElement params;
    if (!ParseToList(text, &params, false, nullptr)) {
        return false;
    }
    if (params.mElementVector.empty()) {
        return true;
    }
    if (params.mElementVector[0]->mIsList) {
        return Error("Missing Command");
    }
    return HandleCommand(&params);
}

bool DescParser::ParseToList(const std::string& text, ListDataElement* list, bool expectListEnd,
                             int* pos) {
    int start = 0;
    int& at = pos != nullptr ? *pos : start;
    bool inSingle = false;
    bool inDouble = false;
    bool escaped = false;
    SingleDataElement* token = nullptr;

    auto append = [&](char c) {
        if (token == nullptr) {
            token = new SingleDataElement();
            list->mElementVector.push_back(token);
        }
        token->mText += c;
    };

    while (at < static_cast<int>(text.size())) {
        const char c = text[at++];
        if (escaped) {
            escaped = false;
            append(c);
        } else if (c == '\\') {
            escaped = true;
        } else if ((c == '\'' && !inDouble) || (c == '"' && !inSingle)) {
            bool& flag = c == '\'' ? inSingle : inDouble;
            flag = !flag;
            append(c);
        } else if (inSingle || inDouble) {
            append(c);
        } else if (c == ')') {
            return expectListEnd ? true : Error("Unexpected List End");
        } else if (c == '(') {
            if (token != nullptr) {
                return Error("Unexpected List Start");
            }
            if (mListDepth >= kMaxListDepth) {
                return Error("List Nested Too Deeply");
            }
            auto* sublist = new ListDataElement();
            list->mElementVector.push_back(sublist);
            ++mListDepth;
            const bool ok = ParseToList(text, sublist, true, &at);
            --mListDepth;
            if (!ok) {
                return false;
            }
        } else if (c == ' ' || c == '\t' || c == '\n' || c == ',') {
            token = nullptr;
        } else {
            append(c);
        }
    }
    if (inSingle) {
        return Error("Unterminated Single Quotes");
    }
    if (inDouble) {
        return Error("Unterminated Double Quotes");
    }
    if (expectListEnd) {
        return Error("Unterminated List");
    }
    return true;
}

bool DescParser::IsImmediate(const std::string& token) {
    if (token.empty()) {
        return false;
    }
    const char c = token[0];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || IsQuote(c);
}

std::string DescParser::Unquote(const std::string& token) {
    if (token.empty() || !IsQuote(token[0])) {
        return token;
    }
    const char quote = token[0];
    std::string result;
    bool previousWasQuote = false;
    for (char c : token) {
        if (c != quote) {
            result += c;
            previousWasQuote = false;
        } else {
            if (previousWasQuote) {
                result += c;
            }
            previousWasQuote = true;
        }
    }
    return result;
}

bool DescParser::DereferenceList(ListDataElement* src, ListDataElement* dst) {
    int budget = kMaxValues;
    return DereferenceInto(src, dst, &budget);
}

bool DescParser::DereferenceInto(ListDataElement* src, ListDataElement* dst, int* budget) {
    dst->Clear();
    for (DataElement* element : src->mElementVector) {
        DataElement* value = nullptr;
        if (element->mIsList) {
            auto* sublist = new ListDataElement();
            dst->mElementVector.push_back(sublist);
            if (!DereferenceInto(static_cast<ListDataElement*>(element), sublist, budget)) {
                return false;
            }
            continue;
        }
        const std::string& text = static_cast<SingleDataElement*>(element)->mText;
        if (IsQuote(text.empty() ? '\0' : text[0])) {
            value = new SingleDataElement(Unquote(text));
        } else if (IsImmediate(text)) {
            value = new SingleDataElement(text);
        } else {
            DataElement* define = GetDefine(text);
            if (define == nullptr) {
                return UnableToDereference(text);
            }
            *budget -= CountValues(define) - 1;
            if (*budget <= 0) {
                return Error("List Too Large");
            }
            value = define->Duplicate();
        }
        dst->mElementVector.push_back(value);
        if (--*budget <= 0) {
            return Error("List Too Large");
        }
    }
    return true;
}

bool DescParser::UnableToDereference(const std::string& token) {
    return Error("Unable to Dereference \"" + token + "\"");
}

std::string DescParser::ElementToText(DataElement* element) {
    if (!element->mIsList) {
        return static_cast<SingleDataElement*>(element)->mText;
    }
    std::string text = "(";
    const auto& elements = static_cast<ListDataElement*>(element)->mElementVector;
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += ElementToText(elements[i]);
    }
    return text + ")";
}

bool DescParser::ElementToString(DataElement* element, std::string* out) {
    out->clear();
    if (element->mIsList) {
        return false;
    }
    const std::string& text = static_cast<SingleDataElement*>(element)->mText;
    DataElement* define = GetDefine(text);
    if (define == nullptr) {
        *out = Unquote(text);
        return true;
    }
    if (define->mIsList) {
        return false;
    }
    *out = Unquote(static_cast<SingleDataElement*>(define)->mText);
    return true;
}

bool DescParser::ElementToStrings(DataElement* element, std::vector<std::string>* out) {
    out->clear();
    ListDataElement dereferenced;
    ListDataElement* list = &dereferenced;
    if (element->mIsList) {
        if (!DereferenceList(static_cast<ListDataElement*>(element), &dereferenced)) {
            return false;
        }
    } else {
        const std::string& text = static_cast<SingleDataElement*>(element)->mText;
        DataElement* define = GetDefine(text);
        if (define == nullptr) {
            return UnableToDereference(text);
        }
        if (!define->mIsList) {
            return false;
        }
        list = static_cast<ListDataElement*>(define);
    }
    for (DataElement* item : list->mElementVector) {
        if (item->mIsList) {
            out->clear();
            return false;
        }
        out->push_back(static_cast<SingleDataElement*>(item)->mText);
    }
    return true;
}

bool DescParser::ElementToList(DataElement* element, ListDataElement* out) {
    if (element->mIsList) {
        return DereferenceList(static_cast<ListDataElement*>(element), out);
    }
    DataElement* define = GetDefine(static_cast<SingleDataElement*>(element)->mText);
    if (define == nullptr || !define->mIsList) {
        return false;
    }
    *out = *static_cast<ListDataElement*>(define);
    return true;
}

bool DescParser::ElementToInts(DataElement* element, std::vector<int>* out) {
    out->clear();
    std::vector<std::string> texts;
    if (!ElementToStrings(element, &texts)) {
        return false;
    }
    for (const std::string& text : texts) {
        int value = 0;
        if (!StringToInt(text, &value)) {
            return false;
        }
        out->push_back(value);
    }
    return true;
}

bool DescParser::ElementToDoubles(DataElement* element, std::vector<double>* out) {
    out->clear();
    std::vector<std::string> texts;
    if (!ElementToStrings(element, &texts)) {
        return false;
    }
    for (const std::string& text : texts) {
        double value = 0.0;
        if (!StringToDouble(text, &value)) {
            return false;
        }
        out->push_back(value);
    }
    return true;
}

} // namespace Vuro
