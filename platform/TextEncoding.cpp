#include "platform/TextEncoding.h"

namespace Vuro::Platform {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            char16_t cp = kCp1251High[byte - 0x80];
            AppendUtf8(out, cp != 0 ? cp : U'?');
        }
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

} // namespace Vuro::Platform
