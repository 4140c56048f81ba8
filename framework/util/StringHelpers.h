#pragma once
// Helpers on 8-bit strings: case, trimming, number parsing and formatting, printf-style
// formatting and case-insensitive search. None keeps state; all are safe on any thread.
//
// Case rules are those of the C locale whatever the program's locale: only "A".."Z" and
// "a".."z" change, so code page 1251 letters pass through untouched.

#include <cstdarg>
#include <cstdint>
#include <string>

namespace Vuro {

std::string StringToUpper(const std::string& text);
std::string StringToLower(const std::string& text);
// Without leading and trailing space, tab, line feed, vertical tab, form feed, carriage return.
std::string Trim(const std::string& text);

// Decimal with an optional leading "-", or hexadecimal after "0x"/"0X" (so "0x1F" gives 31 and
// "007" gives 7; "-" alone gives 0 and true). Sets *out to 0 first; on any other character
// *out is 0 and the result false. Values beyond 32 bits wrap modulo 2^32 (well defined).
[[nodiscard]] bool StringToInt(const std::string& text, int* out);
// Digits with an optional leading "-" and one optional "."; no exponent ("1e3" is refused).
// "1." gives 1.0, ".5" gives 0.5. Sets *out to 0.0 first and again on failure.
[[nodiscard]] bool StringToDouble(const std::string& text, double* out);

// Groups of three digits separated by "," ("1,000"); the empty string for negative numbers.
std::string CommaSeparate(int value);

// printf-style formatting into a string. Texts longer than kMaxFormatLength characters are cut
// to that length; an encoding error gives the empty string.
inline constexpr size_t kMaxFormatLength = 1310720;
std::string VFormat(const char* format, va_list args);
[[gnu::format(printf, 1, 2)]] std::string StrFormat(const char* format, ...);

// Index of the first occurrence of pattern in text, ignoring the case of "A".."Z"; -1 when
// there is none or text is empty. An empty pattern in a non-empty text is found at 0.
int StrFindNoCase(const char* text, const char* pattern);

// printf "%x": lower-case hexadecimal without prefix.
std::string UIntToHexString(uint32_t value);
// Hexadecimal digits only, most significant first; an empty text gives true and 0.
[[nodiscard]] bool HexStringToUInt(const std::string& text, uint32_t& value);

} // namespace Vuro
