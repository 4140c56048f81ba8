#include "framework/fonts/Font.h"

#include "framework/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Vuro {
namespace {

// Only StringWidth and Duplicate are supplied, so every other operation runs its default.
// Widths: 100 for the empty string, else 10 per character plus the first character's code.
class WidthOnlyFont : public Font {
public:
    int StringWidth(const std::string& text) override {
        mAsked.push_back(text);
        return text.empty() ? 100 : static_cast<int>(text.size()) * 10 + text[0];
    }
    Font* Duplicate() override { return new WidthOnlyFont(*this); }

    std::vector<std::string> mAsked;
};

TEST(FontTest, MetricsStartAtZeroAndDeriveFromTheFields) {
    WidthOnlyFont font;
    EXPECT_EQ(font.GetAscent(), 0);
    EXPECT_EQ(font.GetAscentPadding(), 0);
    EXPECT_EQ(font.GetHeight(), 0);
    EXPECT_EQ(font.GetLineSpacingOffset(), 0);
    EXPECT_EQ(font.GetDescent(), 0);
    EXPECT_EQ(font.GetLineSpacing(), 0);

    font.mAscent = 12;
    font.mAscentPadding = 2;
    font.mHeight = 9; // smaller than the ascent: the descent is negative
    font.mLineSpacingOffset = 4;
    EXPECT_EQ(font.GetDescent(), -3);
    EXPECT_EQ(font.GetLineSpacing(), 13);
    EXPECT_EQ(font.GetAscentPadding(), 2);
}

TEST(FontTest, CharWidthMeasuresTheOneCharacterStringAndNulTheEmptyOne) {
    WidthOnlyFont font;
    EXPECT_EQ(font.CharWidth('A'), 10 + 'A');
    EXPECT_EQ(font.CharWidth('\0'), 100);
    EXPECT_EQ(font.mAsked, (std::vector<std::string>{"A", ""}));
    // The previous character plays no part by default.
    for (const char previous : {'\0', 'A', 'z', ' '}) {
        EXPECT_EQ(font.CharWidthKern('q', previous), font.CharWidth('q'));
    }
}

TEST(FontTest, DefaultStringDrawingDoesNothing) {
    WidthOnlyFont font;
    Graphics g;
    g.SetFont(&font);
    g.DrawString("text", 1, 2); // reaches Font::DrawString, which ignores it
    EXPECT_TRUE(font.mAsked.empty());
}

TEST(FontTest, DuplicateAndCopyCarryTheMetricsAndLiveOnTheirOwn) {
    WidthOnlyFont font;
    font.mAscent = 7;
    font.mAscentPadding = 1;
    font.mHeight = 11;
    font.mLineSpacingOffset = -2;
    std::unique_ptr<Font> copy(font.Duplicate());
    font.mAscent = 99;
    EXPECT_EQ(copy->GetAscent(), 7);
    EXPECT_EQ(copy->GetAscentPadding(), 1);
    EXPECT_EQ(copy->GetHeight(), 11);
    EXPECT_EQ(copy->GetLineSpacing(), 9);
    EXPECT_EQ(copy->StringWidth("ab"), 20 + 'a');
}

} // namespace
} // namespace Vuro
