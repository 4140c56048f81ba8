#include "framework/util/StringHelpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace Vuro {
namespace {

TEST(StringHelpers, StringToIntTable) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"007", true, 7},
        {"-42", true, -42},
        {"0x1F", true, 31},
        {"0X10", true, 16},
        {"0xff", true, 255},
        {"0x", true, 0},
        {"-", true, 0},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        // Beyond 32 bits the value wraps modulo 2^32.
        {"0xFFFFFFFF", true, -1},
        {"4294967296", true, 0},
        {"99999999999", true, 1215752191},
        {"-99999999999", true, -1215752191},
        {"", false, 0},
        {"12a", false, 0},
        {"-0x1F", false, 0},
        {"x1F", false, 0},
        {"1x5", false, 0},
        {"00x1", false, 0},
        {"0xG", false, 0},
        {"--1", false, 0},
        {" 1", false, 0},
        {"1.5", false, 0},
        {"+1", false, 0},
    };
    for (const Case& c : cases) {
        int value = 12345;
        EXPECT_EQ(StringToInt(c.text, &value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(StringHelpers, StringToDoubleTable) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"-2.25", true, -2.25}, {"12", true, 12.0},    {"1.", true, 1.0},      {".5", true, 0.5},
        {"-", true, 0.0},       {".", true, 0.0},      {"0.125", true, 0.125}, {"1e3", false, 0.0},
        {"", false, 0.0},       {"1.2.3", false, 0.0}, {"+1", false, 0.0},     {" 1", false, 0.0},
        {"1,5", false, 0.0},
    };
    for (const Case& c : cases) {
        double value = 99.0;
        EXPECT_EQ(StringToDouble(c.text, &value), c.ok) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(StringHelpers, CommaSeparateTable) {
    const std::pair<int, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {12345, "12,345"},
        {123456, "123,456"},
        {1000000, "1,000,000"},
        {INT_MAX, "2,147,483,647"},
        {-1, ""},
        {INT_MIN, ""},
    };
    for (auto [value, expected] : cases) {
        EXPECT_EQ(CommaSeparate(value), expected) << value;
    }
}

TEST(StringHelpers, TrimAndCase) {
    const std::pair<const char*, const char*> trims[] = {
        {"", ""},   {" \t\n\v\f\r", ""},        {"  a b  ", "a b"}, {"\r\nline\r\n", "line"},
        {"x", "x"}, {"\xA0x\xA0", "\xA0x\xA0"}, // a no-break space is not white space here
    };
    for (auto [text, expected] : trims) {
        EXPECT_EQ(Trim(text), expected) << '"' << text << '"';
    }
    // Only ASCII letters change; code page 1251 letters pass through.
    EXPECT_EQ(StringToUpper("abc XYZ 019 \xE0\xC0"), "ABC XYZ 019 \xE0\xC0");
    EXPECT_EQ(StringToLower("abc XYZ 019 \xE0\xC0"), "abc xyz 019 \xE0\xC0");
}

TEST(StringHelpers, StrFindNoCaseTable) {
    struct Case {
        const char* text;
        const char* pattern;
        int expected;
    };
    const Case cases[] = {
        {"Hello World", "WORLD", 6},
        {"Hello World", "hello", 0},
        {"aAaB", "ab", 2},
        {"abc", "C", 2},
        {"abc", "", 0},
        {"", "", -1},
        {"", "a", -1},
        {"abc", "abcd", -1},
        {"xyz", "q", -1},
        {"\xE0\xC0", "\xC0", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrFindNoCase(c.text, c.pattern), c.expected)
            << '"' << c.text << "\" / \"" << c.pattern << '"';
    }
}

// Formats twice through one argument list: each pass of VFormat must leave the caller's list
// untouched.
std::string FormatTwice(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string first = VFormat(format, args);
    std::string second = VFormat(format, args);
    va_end(args);
    EXPECT_EQ(first, second);
    return first;
}

TEST(StringHelpers, FormattingOfEveryLength) {
    EXPECT_EQ(StrFormat("%d:%s", 5, "x"), "5:x");
    EXPECT_EQ(StrFormat("%s", ""), "");

    for (size_t length : {159u, 160u, 161u, 999u, 1000u, 1001u, 5000u, 300000u}) {
        std::string middle(length, 'm');
        std::string result = FormatTwice("<%d|%s|%c>", 42, middle.c_str(), 'z');
        EXPECT_EQ(result, "<42|" + middle + "|z>") << "length " << length;
    }

    // Longer texts are cut to the largest size.
    EXPECT_EQ(StrFormat("%*d", 2000000, 7).size(), kMaxFormatLength);
    // A wide character the C locale cannot encode fails the formatting.
    EXPECT_EQ(StrFormat("%ls", L"\u0100"), "");
}

} // namespace
} // namespace Vuro
