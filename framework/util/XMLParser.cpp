#include "framework/util/XMLParser.h"

#include "platform/FileSystem.h"
#include "platform/MemoryFile.h"

namespace Vuro {

namespace {

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool EndsWith(const std::string& text, char c) {
    return !text.empty() && text.back() == c;
}

// Working state of one ReadElement call: the attribute being collected and the flags of the
// tag's little state machine.
struct TagState {
    std::string name;     // attribute name being collected
    std::string value;    // attribute value being collected
    std::string lastName; // the attribute flushed by the closing ">", if any
    bool inQuote = false;
    bool spaceSeen = false;
    bool inAttributes = false;
    bool afterEquals = false;
    bool quoteClosed = false;
};

} // namespace

std::string XMLDecodeString(const std::string& text) {
    static const struct {
        std::string_view name;
        char character;
    } kEntities[] = {{"lt", '<'},    {"amp", '&'},  {"gt", '>'}, {"quot", '"'},
                     {"apos", '\''}, {"nbsp", ' '}, {"cr", '\n'}};
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        // Only a known name directly followed by ";" is a reference, so nothing past the
        // longest name is looked at: a text of many "&" without ";" decodes in linear time.
        const std::string_view rest = std::string_view(text).substr(i + 1);
        bool replaced = false;
        for (const auto& entity : kEntities) {
            if (rest.size() > entity.name.size() && rest.starts_with(entity.name) &&
                rest[entity.name.size()] == ';') {
                result += entity.character;
                i += entity.name.size() + 1;
                replaced = true;
                break;
            }
        }
        // An "&" that starts no known reference is kept with all that follows it, rather than
        // swallowing the text up to the next ";".
        if (!replaced) {
            result += '&';
        }
    }
    return result;
}

XMLNode::XMLNode(const XMLNode& other)
    : mKind(other.mKind), mSection(other.mSection), mValue(other.mValue),
      mInstruction(other.mInstruction), mAttributes(other.mAttributes) {
    for (const auto& entry : other.mAttributeOrder) {
        mAttributeOrder.push_back(mAttributes.find(entry->first));
    }
}

XMLNode& XMLNode::operator=(const XMLNode& other) {
    if (this != &other) {
        XMLNode copy(other);
        mKind = copy.mKind;
        mSection = std::move(copy.mSection);
        mValue = std::move(copy.mValue);
        mInstruction = std::move(copy.mInstruction);
        // Moving a std::map keeps its nodes, so the copied iterators stay valid.
        mAttributes = std::move(copy.mAttributes);
        mAttributeOrder = std::move(copy.mAttributeOrder);
    }
    return *this;
}

XMLParser::XMLParser() = default;

XMLParser::~XMLParser() {
    Close();
}

void XMLParser::Close() {
    if (mFile != nullptr) {
        std::fclose(mFile);
        mFile = nullptr;
    }
}

bool XMLParser::OpenFile(const std::string& fileName) {
    // A second open on the same parser closes the first file instead of leaking it.
    Close();
    mFile = Platform::OpenFile(fileName, "r");
    return Begin(fileName);
}

bool XMLParser::OpenBuffer(std::string_view text, const std::string& fileName) {
    Close();
    mBuffer.assign(text);
    mFile = Platform::OpenMemoryFile(mBuffer.data(), mBuffer.size());
    return Begin(fileName);
}

bool XMLParser::Begin(const std::string& fileName) {
    if (mFile == nullptr) {
        mLineNum = 0;
        Fail("Unable to open file " + fileName);
        return false;
    }
    mFileName = fileName;
    Init();
    return true;
}

void XMLParser::Init() {
    mSection.clear();
    mLineNum = 1;
    mHasFailed = false;
    mErrorText.clear();
}

void XMLParser::Fail(const std::string& message) {
    mHasFailed = true;
    mErrorText = message;
}

bool XMLParser::AddAttribute(XMLNode* node, const std::string& name, const std::string& value) {
    auto [entry, added] = node->mAttributes.insert_or_assign(name, value);
    if (name != "/") {
        node->mAttributeOrder.push_back(entry);
    }
    return added;
}

int XMLParser::NextChar() {
    if (!mPushback.empty()) {
        int c = static_cast<unsigned char>(mPushback.back());
        mPushback.pop_back();
        return c;
    }
    if (mFile == nullptr) {
        return EOF;
    }
    int c = std::getc(mFile);
    if (c == '\r') {
        // Text mode: CR LF is one line feed.
        int next = std::getc(mFile);
        if (next == '\n') {
            return next;
        }
        if (next != EOF) {
            std::ungetc(next, mFile);
        }
    }
    return c;
}

bool XMLParser::ReadElement(XMLNode* node) {
    for (;;) {
        node->mKind = XMLNodeKind::None;
        node->mSection = mSection;
        node->mValue.clear();
        node->mAttributeOrder.clear();
        node->mAttributes.clear();
        node->mInstruction.clear();
        TagState tag;

        auto flush = [&](bool keepName) {
            std::string name = XMLDecodeString(tag.name);
            AddAttribute(node, name, XMLDecodeString(tag.value));
            tag.lastName = keepName ? name : std::string();
            tag.name.clear();
            tag.value.clear();
            tag.afterEquals = false;
        };

        bool complete = false;
        while (!complete) {
            int c = NextChar();
            if (c == EOF) {
                if (node->mKind == XMLNodeKind::None) {
                    return false;
                }
                Fail("Unexpected End of File");
                return false;
            }
            if (c == '\n') {
                ++mLineNum;
            }
            const char ch = static_cast<char>(c);

            if (node->mKind == XMLNodeKind::Comment) {
                std::string& text = node->mInstruction;
                text += ch;
                size_t n = text.size();
                if (ch == '>' && n >= 3 && text[n - 2] == '-' && text[n - 3] == '-') {
                    text.resize(n - 3);
                    complete = true;
                }
                continue;
            }
            if (node->mKind == XMLNodeKind::Instruction) {
                std::string& target =
                    !node->mInstruction.empty() || IsSpace(c) ? node->mInstruction : node->mValue;
                target += ch;
                size_t n = target.size();
                if (ch == '>' && n >= 2 && target[n - 2] == '?') {
                    target.resize(n - 2);
                    complete = true;
                }
                continue;
            }

            bool keep = false;
            if (c == '"') {
                tag.inQuote = !tag.inQuote;
                if (!tag.inQuote) {
                    tag.quoteClosed = true;
                }
                keep = node->mKind == XMLNodeKind::None || node->mKind == XMLNodeKind::Text;
            } else if (tag.inQuote) {
                keep = true;
            } else if (c == '<') {
                if (node->mKind == XMLNodeKind::Text) {
                    mPushback += ch;
                    complete = true;
                } else if (node->mKind == XMLNodeKind::None) {
                    node->mKind = XMLNodeKind::Start;
                } else {
                    Fail("Unexpected '<'");
                    return false;
                }
            } else if (c == '>') {
                if (node->mKind == XMLNodeKind::End) {
                    size_t slash = mSection.rfind('/');
                    if (slash == std::string::npos && mSection.empty()) {
                        Fail("Unexpected End");
                        return false;
                    }
                    std::string open =
                        slash == std::string::npos ? mSection : mSection.substr(slash + 1);
                    if (open != node->mValue) {
                        Fail("End '" + node->mValue + "' Doesn't Match Start '" + open + "'");
                        return false;
                    }
                    mSection.resize(slash == std::string::npos ? 0 : slash);
                    complete = true;
                } else if (node->mKind == XMLNodeKind::Start) {
                    tag.quoteClosed = false;
                    bool selfClosing = tag.name == "/";
                    if (!selfClosing) {
                        if (!tag.name.empty()) {
                            flush(true);
                        }
                        if (!tag.lastName.empty()) {
                            auto entry = node->mAttributes.find(tag.lastName);
                            if (EndsWith(entry->second, '/')) {
                                // The stored value is decoded already; decoding the shortened
                                // value again would turn "&amp;lt;" into "<".
                                std::string shortened = entry->second;
                                shortened.pop_back();
                                AddAttribute(node, tag.lastName, shortened);
                                selfClosing = true;
                            }
                        } else if (EndsWith(node->mValue, '/')) {
                            node->mValue.pop_back();
                            selfClosing = true;
                        }
                    }
                    // Every element carries the whole section, so its length bounds the work
                    // per element: deeper nesting is refused instead of costing quadratic time.
                    const size_t separator = mSection.empty() ? 0 : 1;
                    if (mSection.size() + separator + node->mValue.size() > kMaxSectionLength) {
                        Fail("Elements Nested Too Deeply");
                        return false;
                    }
                    if (selfClosing) {
                        std::string end = "</" + node->mValue + ">";
                        mPushback.append(end.rbegin(), end.rend());
                        tag.name.clear();
                    }
                    mSection = mSection.empty() ? node->mValue : mSection + "/" + node->mValue;
                    complete = true;
                } else {
                    Fail("Unexpected '>'");
                    return false;
                }
            } else if (c == '/' && node->mKind == XMLNodeKind::Start && node->mValue.empty()) {
                node->mKind = XMLNodeKind::End;
            } else if (c == '?' && node->mKind == XMLNodeKind::Start && node->mValue.empty()) {
                node->mKind = XMLNodeKind::Instruction;
            } else if (IsSpace(c)) {
                if (!node->mValue.empty()) {
                    tag.spaceSeen = true;
                    if (node->mKind == XMLNodeKind::Start && node->mValue == "!--") {
                        node->mKind = XMLNodeKind::Comment;
                    }
                }
            } else if (c <= 0x20) {
                Fail("Illegal Character");
                return false;
            } else {
                keep = true;
            }
            if (!keep) {
                continue;
            }

            if (node->mKind == XMLNodeKind::None) {
                node->mKind = XMLNodeKind::Text;
            }
            if (node->mKind != XMLNodeKind::Start) {
                if (tag.spaceSeen) {
                    node->mValue += ' ';
                    tag.spaceSeen = false;
                }
                node->mValue += ch;
                continue;
            }
            if (tag.spaceSeen) {
                tag.spaceSeen = false;
                if (!tag.inAttributes) {
                    tag.inAttributes = true;
                    tag.afterEquals = false;
                } else if (!tag.afterEquals) {
                    if (ch != '=') {
                        flush(false);
                    }
                } else if (!tag.value.empty() || tag.quoteClosed) {
                    flush(false);
                }
            }
            if (!tag.inAttributes) {
                node->mValue += ch;
            } else if (ch == '=') {
                tag.afterEquals = true;
                tag.quoteClosed = false;
            } else if (tag.afterEquals) {
                tag.value += ch;
            } else {
                tag.name += ch;
            }
        }

        if (!tag.name.empty()) {
            flush(false);
        }
        node->mValue = XMLDecodeString(node->mValue);
        if (node->mKind != XMLNodeKind::Comment || mReturnComments) {
            return true;
        }
    }
}

} // namespace Vuro
