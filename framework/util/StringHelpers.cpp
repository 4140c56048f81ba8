#include "framework/util/StringHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace Vuro {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Value of c as a digit of base 10 or 16; -1 when it is none.
int DigitValue(char c, int base) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (base == 16) {
        char lower = AsciiLower(c);
        if (lower >= 'a' && lower <= 'f') {
            return lower - 'a' + 10;
        }
    }
    return -1;
}

} // namespace

std::string StringToUpper(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string StringToLower(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool StringToInt(const std::string& text, int* out) {
    *out = 0;
    if (text.empty()) {
        return false;
    }
    bool negative = text[0] == '-';
    // Unsigned arithmetic: overflow wraps modulo 2^32 instead of being undefined.
    uint32_t value = 0;
    int base = 10;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        char c = text[i];
        int digit = DigitValue(c, base);
        if (digit >= 0) {
            value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
        } else if ((c == 'x' || c == 'X') && i == 1 && value == 0) {
            base = 16;
        } else {
            return false;
        }
    }
    if (negative) {
        value = 0u - value;
    }
    *out = static_cast<int>(value);
    return true;
}

bool StringToDouble(const std::string& text, double* out) {
    *out = 0.0;
    if (text.empty()) {
        return false;
    }
    bool negative = text[0] == '-';
    size_t i = negative ? 1 : 0;
    double value = 0.0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
        value = value * 10.0 + (text[i] - '0');
    }
    double factor = 0.1;
    for (++i; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
        value += (text[i] - '0') * factor;
        factor *= 0.1;
    }
    *out = negative ? -value : value;
    return true;
}

std::string CommaSeparate(int value) {
    if (value < 0) {
        return {};
    }
    std::string digits = std::to_string(value);
    std::string result;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += ',';
        }
        result += digits[i];
    }
    return result;
}

std::string VFormat(const char* format, va_list args) {
    // Each formatting pass consumes its own copy of the argument list.
    char local[160];
    va_list pass;
    va_copy(pass, args);
    int needed = std::vsnprintf(local, sizeof(local), format, pass);
    va_end(pass);
    if (needed < 0) {
        return {};
    }
    if (static_cast<size_t>(needed) < sizeof(local)) {
        return std::string(local, static_cast<size_t>(needed));
    }
    size_t length = std::min(static_cast<size_t>(needed), kMaxFormatLength);
    std::string result(length, '\0');
    va_copy(pass, args);
    std::vsnprintf(result.data(), length + 1, format, pass);
    va_end(pass);
    return result;
}

std::string StrFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = VFormat(format, args);
    va_end(args);
    return result;
}

int StrFindNoCase(const char* text, const char* pattern) {
    if (text == nullptr || *text == '\0') {
        return -1;
    }
    if (pattern == nullptr) {
        return 0;
    }
    size_t textLength = std::strlen(text);
    size_t patternLength = std::strlen(pattern);
    for (size_t start = 0; start + patternLength <= textLength; ++start) {
        size_t matched = 0;
        while (matched < patternLength &&
               AsciiLower(text[start + matched]) == AsciiLower(pattern[matched])) {
            ++matched;
        }
        if (matched == patternLength) {
            return static_cast<int>(start);
        }
    }
    return -1;
}

std::string UIntToHexString(uint32_t value) {
    return StrFormat("%x", value);
}

bool HexStringToUInt(const std::string& text, uint32_t& value) {
    value = 0;
    for (char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    return true;
}

} // namespace Vuro
