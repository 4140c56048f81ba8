#include "platform/TextEncoding.h"

namespace Vuro::Platform {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendCp1251Character(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
        out += c;
    } else {
        const char16_t cp = kCp1251High[byte - 0x80];
        AppendUtf8(out, cp != 0 ? cp : U'?');
    }
}

// The well-formed UTF-8 character at text[pos] (shortest form, a code point that exists):
// true with its code point, pos moved past it. False otherwise, pos moved past one byte.
bool TakeUtf8Character(std::string_view text, size_t& pos, char32_t& cp) {
    const size_t start = pos;
    cp = DecodeUtf8(text, pos);
    std::string shortest;
    if (cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
        AppendUtf8(shortest, cp);
    }
    // An overlong form could smuggle in an ASCII "/" or "." and would not come back as given.
    if (text.substr(start, pos - start) != shortest) {
        pos = start + 1;
        return false;
    }
    return true;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        AppendCp1251Character(out, c);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        int code = Cp1251FromCodePoint(DecodeUtf8(text, pos));
        out += static_cast<char>(code < 0 ? '?' : code);
    }
    return out;
}

std::string SystemToNative(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kNativeEscape && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0x80) {
            out += text[++i];
        } else {
            AppendCp1251Character(out, text[i]);
        }
    }
    return out;
}

std::string NativeToSystem(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        char32_t cp = 0;
        const int code = TakeUtf8Character(text, pos, cp) ? Cp1251FromCodePoint(cp) : -1;
        if (code >= 0) {
            out += static_cast<char>(code);
            continue;
        }
        // Only bytes from 0x80 up land here: ASCII is always a character of its own.
        for (size_t i = start; i < pos; ++i) {
            out += kNativeEscape;
            out += text[i];
        }
    }
    return out;
}

bool IsUtf8(std::string_view text) {
    size_t pos = 0;
    char32_t cp = 0;
    while (pos < text.size()) {
        if (!TakeUtf8Character(text, pos, cp)) {
            return false;
        }
    }
    return true;
}

} // namespace Vuro::Platform
