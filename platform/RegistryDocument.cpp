#include "platform/RegistryDocument.h"

#include "platform/LittleEndian.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace Vuro::Platform {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = LowerAscii(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

void AppendHexByte(std::string& out, uint8_t byte) {
    static const char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

void AppendUtf8(std::string& out, char16_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

void AppendQuoted(std::string& out, std::string_view bytes) {
    out += '"';
    for (char c : bytes) {
        auto byte = static_cast<uint8_t>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            continue;
        case '"':
            out += "\\\"";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        char16_t code = byte >= 0x80 ? kCp1251High[byte - 0x80] : char16_t{0};
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && code == 0)) {
            out += "\\x";
            AppendHexByte(out, byte);
        } else if (byte >= 0x80) {
            AppendUtf8(out, code);
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendHexList(std::string& out, const std::vector<uint8_t>& data) {
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendHexByte(out, data[i]);
    }
}

void AppendValue(std::string& out, const RegistryValue& value) {
    AppendQuoted(out, value.name);
    out += '=';
    if (value.type == kRegDword && value.data.size() == 4) {
        const uint32_t word = LoadLE(value.data.data(), 4);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", word);
        out += text;
    } else if (value.type == kRegSz) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                           value.data.size()));
    } else if (value.type == kRegBinary) {
        out += "hex:";
        AppendHexList(out, value.data);
    } else {
        char text[24];
        std::snprintf(text, sizeof text, "hex(%x):", value.type);
        out += text;
        AppendHexList(out, value.data);
    }
    out += '\n';
}

// Reads one line of the text form; every Take... answers false when the text does not fit.
class LineReader {
public:
    explicit LineReader(std::string_view line) : mText(line) {}

    void SkipBlanks() {
        while (mPos < mText.size() && (mText[mPos] == ' ' || mText[mPos] == '\t')) {
            ++mPos;
        }
    }
    bool AtEnd() {
        SkipBlanks();
        return mPos == mText.size();
    }
    bool Peek(char c) {
        SkipBlanks();
        return mPos < mText.size() && mText[mPos] == c;
    }
    bool Take(char c) {
        SkipBlanks();
        if (mPos < mText.size() && mText[mPos] == c) {
            ++mPos;
            return true;
        }
        return false;
    }
    bool TakeWord(std::string_view word) {
        SkipBlanks();
        if (mText.size() - mPos >= word.size() && SameName(mText.substr(mPos, word.size()), word)) {
            mPos += word.size();
            return true;
        }
        return false;
    }
    // A quoted string; the opening quote must be next.
    bool TakeQuoted(std::string& out) {
        if (!Take('"')) {
            return false;
        }
        out.clear();
        size_t runStart = mPos;
        auto flushRun = [&] { out += Utf8ToCp1251(mText.substr(runStart, mPos - runStart)); };
        while (mPos < mText.size()) {
            char c = mText[mPos];
            if (c == '"') {
                flushRun();
                ++mPos;
                return true;
            }
            if (c != '\\') {
                ++mPos;
                continue;
            }
            flushRun();
            if (mPos + 1 >= mText.size()) {
                return false;
            }
            char kind = mText[mPos + 1];
            mPos += 2;
            switch (kind) {
            case '\\':
            case '"':
                out += kind;
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                int high = mPos + 1 < mText.size() ? HexDigit(mText[mPos]) : -1;
                int low = high >= 0 ? HexDigit(mText[mPos + 1]) : -1;
                if (low < 0) {
                    return false;
                }
                out += static_cast<char>(high * 16 + low);
                mPos += 2;
                break;
            }
            default:
                return false;
            }
            runStart = mPos;
        }
        return false;
    }
    // 1 to maxDigits hex digits.
    bool TakeHexNumber(uint32_t& value, size_t maxDigits) {
        SkipBlanks();
        size_t digits = 0;
        value = 0;
        while (mPos < mText.size() && HexDigit(mText[mPos]) >= 0 && digits < maxDigits) {
            value = value * 16 + static_cast<uint32_t>(HexDigit(mText[mPos]));
            ++mPos;
            ++digits;
        }
        return digits > 0 && (mPos == mText.size() || HexDigit(mText[mPos]) < 0);
    }
    // Bytes of one or two hex digits separated by commas, up to the end of the line.
    bool TakeHexList(std::vector<uint8_t>& out) {
        out.clear();
        if (AtEnd()) {
            return true;
        }
        do {
            uint32_t byte = 0;
            if (!TakeHexNumber(byte, 2)) {
                return false;
            }
            out.push_back(static_cast<uint8_t>(byte));
        } while (Take(','));
        return AtEnd();
    }
    // The rest of the line up to its last "]" (an unquoted section name).
    bool TakeUntilLastBracket(std::string& out) {
        size_t end = mText.rfind(']');
        if (end == std::string_view::npos || end < mPos) {
            return false;
        }
        std::string_view name = mText.substr(mPos, end - mPos);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
            name.remove_suffix(1);
        }
        out = Utf8ToCp1251(name);
        mPos = end;
        return true;
    }

private:
    std::string_view mText;
    size_t mPos = 0;
};

bool ReadValue(LineReader& line, RegistryValue& value) {
    if (!line.TakeQuoted(value.name) || !line.Take('=')) {
        return false;
    }
    line.SkipBlanks();
    std::string text;
    if (line.TakeQuoted(text)) {
        value.type = kRegSz;
        value.data.assign(text.begin(), text.end());
        return line.AtEnd();
    }
    uint32_t number = 0;
    if (line.TakeWord("dword:")) {
        if (!line.TakeHexNumber(number, 8) || !line.AtEnd()) {
            return false;
        }
        value.type = kRegDword;
        value.data = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                      static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
        return true;
    }
    if (line.TakeWord("hex:")) {
        value.type = kRegBinary;
        return line.TakeHexList(value.data);
    }
    if (line.TakeWord("hex(")) {
        if (!line.TakeHexNumber(value.type, 8) || !line.Take(')') || !line.Take(':')) {
            return false;
        }
        return line.TakeHexList(value.data);
    }
    return false;
}

} // namespace

std::string RegistryDocument::NormalKey(std::string_view subKey) {
    std::string result;
    size_t start = 0;
    while (start <= subKey.size()) {
        size_t end = subKey.find('\\', start);
        if (end == std::string_view::npos) {
            end = subKey.size();
        }
        if (end > start) {
            if (!result.empty()) {
                result += '\\';
            }
            result += subKey.substr(start, end - start);
        }
        start = end + 1;
    }
    return result;
}

RegistryKey* RegistryDocument::FindKey(std::string_view subKey) {
    std::string name = NormalKey(subKey);
    for (RegistryKey& key : mKeys) {
        if (SameName(key.name, name)) {
            return &key;
        }
    }
    return nullptr;
}

const RegistryKey* RegistryDocument::FindKey(std::string_view subKey) const {
    return const_cast<RegistryDocument*>(this)->FindKey(subKey);
}

bool RegistryDocument::HasKey(std::string_view subKey) const {
    return FindKey(subKey) != nullptr;
}

void RegistryDocument::AddKey(std::string_view subKey) {
    std::string name = NormalKey(subKey);
    // Every key above it first, so that a document lists parents before children.
    for (size_t pos = name.find('\\'); pos != std::string::npos; pos = name.find('\\', pos + 1)) {
        if (!HasKey(name.substr(0, pos))) {
            mKeys.push_back(RegistryKey{name.substr(0, pos), {}});
        }
    }
    if (!HasKey(name)) {
        mKeys.push_back(RegistryKey{name, {}});
    }
}

const RegistryValue* RegistryDocument::Find(std::string_view subKey, std::string_view name) const {
    const RegistryKey* key = FindKey(subKey);
    if (key == nullptr) {
        return nullptr;
    }
    for (const RegistryValue& value : key->values) {
        if (SameName(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

bool RegistryDocument::Set(std::string_view subKey, std::string_view name, uint32_t type,
                           const uint8_t* data, uint32_t length) {
    RegistryKey* key = FindKey(subKey);
    if (key == nullptr) {
        return false;
    }
    std::vector<uint8_t> bytes(data, data + (data != nullptr ? length : 0));
    for (RegistryValue& value : key->values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.data = std::move(bytes);
            return true;
        }
    }
    key->values.push_back(RegistryValue{std::string(name), type, std::move(bytes)});
    return true;
}

RegResult RegistryDocument::Query(std::string_view subKey, std::string_view name, uint32_t& type,
                                  uint8_t* data, uint32_t& length) const {
    if (!HasKey(subKey)) {
        return RegResult::NoKey;
    }
    const RegistryValue* value = Find(subKey, name);
    if (value == nullptr) {
        return RegResult::NoValue;
    }
    auto size = static_cast<uint32_t>(value->data.size());
    if (size > length || (data == nullptr && size > 0)) {
        length = size;
        return RegResult::MoreData;
    }
    std::copy(value->data.begin(), value->data.end(), data);
    type = value->type;
    length = size;
    return RegResult::Ok;
}

bool RegistryDocument::Erase(std::string_view subKey, std::string_view name) {
    RegistryKey* key = FindKey(subKey);
    if (key == nullptr) {
        return false;
    }
    auto& values = key->values;
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegistryValue& value) { return SameName(value.name, name); });
    if (it == values.end()) {
        return false;
    }
    values.erase(it);
    return true;
}

std::string RegistryDocument::ToText(const std::string& title) const {
    std::string out;
    if (!title.empty()) {
        out += "; " + Cp1251ToUtf8(title) + "\n";
    }
    for (const RegistryKey& key : mKeys) {
        if (!key.name.empty()) {
            out += "\n[";
            AppendQuoted(out, key.name);
            out += "]\n";
        }
        for (const RegistryValue& value : key.values) {
            AppendValue(out, value);
        }
    }
    return out;
}

RegistryDocument RegistryDocument::FromText(std::string_view text) {
    RegistryDocument document;
    std::string current;
    bool skipSection = false; // values under a damaged section header go nowhere
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view lineText = text.substr(start, end - start);
        start = end + 1;
        if (!lineText.empty() && lineText.back() == '\r') {
            lineText.remove_suffix(1);
        }
        LineReader line(lineText);
        if (line.AtEnd() || line.Take(';')) {
            continue;
        }
        if (line.Take('[')) {
            std::string name;
            bool named = line.Peek('"') ? line.TakeQuoted(name) : line.TakeUntilLastBracket(name);
            skipSection = !(named && line.Take(']') && line.AtEnd());
            if (!skipSection) {
                current = NormalKey(name);
                document.AddKey(current);
            }
            document.mDamaged = document.mDamaged || skipSection;
            continue;
        }
        RegistryValue value;
        if (!skipSection && ReadValue(line, value)) {
            document.Set(current, value.name, value.type, value.data.data(),
                         static_cast<uint32_t>(value.data.size()));
        } else {
            document.mDamaged = true;
        }
    }
    return document;
}

} // namespace Vuro::Platform
