#include "platform/TextEncoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace Vuro::Platform {
namespace {

// glibc's own CP1251 table is the independent reference for every byte.
std::string IconvToUtf8(const std::string& cp1251) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = cp1251;
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) {
        return "<unmapped>";
    }
    out.resize(out.size() - outLeft);
    return out;
}

TEST(TextEncoding, EveryByteMatchesTheSystemTableBothWays) {
    for (int b = 1; b < 256; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string reference = IconvToUtf8(byte);
        if (reference == "<unmapped>") {
            EXPECT_EQ(Cp1251ToUtf8(byte), "?") << "byte " << b;
            continue;
        }
        EXPECT_EQ(Cp1251ToUtf8(byte), reference) << "byte " << b;
        EXPECT_EQ(Utf8ToCp1251(reference), byte) << "byte " << b;
    }
}

TEST(TextEncoding, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b");                          // a CJK character
    EXPECT_EQ(Utf8ToCp1251("\xFF\xC3"), "??"); // stray bytes, truncated sequence
    EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(TextEncoding, NamesFromTheSystemComeBackAsTheSameBytes) {
    struct Case {
        std::string native; // bytes as the operating system has them
        std::string system; // the system's text of them
    };
    const Case cases[] = {
        {"вашавах.pf", "\xE2\xE0\xF8\xE0\xE2\xE0\xF5.pf"},
        {"/home/a", "/home/a"},
        // What the code page cannot hold is kept byte by byte behind the escape.
        {"/home/张", "/home/\x98\xE5\x98\xBC\x98\xA0"},
        {"\xE2\xE0\xF8x", "\x98\xE2\x98\xE0\x98\xF8x"}, // code page bytes are no UTF-8
        {"\xC0\xAF", "\x98\xC0\x98\xAF"},               // an overlong "/" stays no "/"
        {"\xC2\x98", "\x98\xC2\x98\x98"},               // the character the code page lacks
        {"\xED\xA0\x80", "\x98\xED\x98\xA0\x98\x80"},   // a surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NativeToSystem(c.native), c.system) << c.native;
        EXPECT_EQ(SystemToNative(c.system), c.native) << c.native;
    }
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(SystemToNative(NativeToSystem(bytes)), bytes) << first << " " << second;
        }
    }
    // An escape without a byte from 0x80 up after it is no escape.
    EXPECT_EQ(SystemToNative("a\x98/"), "a?/");
    EXPECT_TRUE(IsUtf8("вашавах 张"));
    EXPECT_FALSE(IsUtf8("\xE2\xE0\xF8\xE0\xE2\xE0x"));
    EXPECT_FALSE(IsUtf8("\xC0\xAF"));
}

TEST(TextEncoding, CompileTimeLiteralGivesCodePageBytes) {
    constexpr auto text = "Пауза №1"_cp1251;
    static_assert(std::string_view(text).size() == 8);
    std::string bytes = text;
    EXPECT_EQ(bytes, "\xCF\xE0\xF3\xE7\xE0 \xB9"
                     "1");
    EXPECT_EQ(Cp1251ToUtf8(bytes), "Пауза №1");
}

} // namespace
} // namespace Vuro::Platform
