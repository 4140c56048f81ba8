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
