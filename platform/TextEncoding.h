#pragma once
// Text inside the system is code page 1251; UTF-8 appears only at the platform edge (window
// title, text input, clipboard, message boxes, font names).
//
// - Cp1251ToUtf8 / Utf8ToCp1251 convert at run time; a character code page 1251 cannot hold
//   becomes "?", and malformed UTF-8 bytes become "?" one byte at a time.
// - "..."_cp1251 turns a UTF-8 literal into its code page 1251 bytes at compile time, so
//   captions stay readable in the source: std::string caption = "Пауза"_cp1251;
// - SystemToNative / NativeToSystem convert names and arguments handed to and taken from the
//   operating system (file names, folders, the command line). A name on disk may hold any
//   bytes, so NativeToSystem loses nothing: what the code page cannot hold (a character outside
//   it, bytes that are no UTF-8) is kept as kNativeEscape followed by the byte itself, one pair
//   per byte, and SystemToNative gives back exactly the bytes the system was given. The escape
//   is the one byte the code page leaves unused, so no text of the system's own holds it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Vuro::Platform {

// Unicode code points of the bytes 0x80..0xFF; 0 where the code page has no character.
inline constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// The code page 1251 byte of a code point, or -1 when the code page has none.
constexpr int Cp1251FromCodePoint(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<int>(cp);
    }
    for (size_t i = 0; i < kCp1251High.size(); ++i) {
        if (kCp1251High[i] != 0 && kCp1251High[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Malformed input yields
// U+FFFD and advances by one byte.
constexpr char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 0;
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += length;
    return cp;
}

std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);

inline constexpr char kNativeEscape = '\x98';

std::string SystemToNative(std::string_view text);
std::string NativeToSystem(std::string_view text);
// True when the text is UTF-8 throughout (each character in its shortest form).
bool IsUtf8(std::string_view text);

// Bytes of a literal converted at compile time; at most as long as its UTF-8 source.
template <size_t N> struct Cp1251Text {
    char bytes[N]{};
    size_t length = 0;
    constexpr operator std::string_view() const { return {bytes, length}; }
    operator std::string() const { return std::string(bytes, length); }
    constexpr const char* c_str() const { return bytes; }
};

template <size_t N> struct Utf8Literal {
    char chars[N]{};
    consteval Utf8Literal(const char (&text)[N]) {
        for (size_t i = 0; i < N; ++i) {
            chars[i] = text[i];
        }
    }
};

template <Utf8Literal Source> consteval auto ToCp1251() {
    Cp1251Text<sizeof(Source.chars)> out;
    std::string_view text(Source.chars, sizeof(Source.chars) - 1);
    size_t pos = 0;
    while (pos < text.size()) {
        int code = Cp1251FromCodePoint(DecodeUtf8(text, pos));
        if (code < 0) {
            throw "character has no code page 1251 byte"; // a compile error in consteval
        }
        out.bytes[out.length++] = static_cast<char>(code);
    }
    return out;
}

} // namespace Vuro::Platform

namespace Vuro {
template <Platform::Utf8Literal Source> consteval auto operator""_cp1251() {
    return Platform::ToCp1251<Source>();
}
} // namespace Vuro
