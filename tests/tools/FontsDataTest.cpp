// The three bitmap fonts of the data set load through the framework's font classes, cover the
// Russian letters of code page 1251, measure a caption to a plausible width and draw it: the
// outlined fonts with a dark outline around a fill in the text's colour.

#include "DataSetApp.h"

#include "framework/app/StackApp.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace Vuro::Test {
namespace {

struct FontCase {
    const char* mDescriptor;
    int mPixels;    // em size the font was made for
    bool mOutlined; // has a dark layer under the fill
};

const FontCase kFonts[] = {
    {"images/fonts/MainMenu16Bold.txt", 16, true},
    {"images/fonts/num14.txt", 14, true},
    {"images/fonts/Help14Bold.txt", 14, false},
};

void PrintTo(const FontCase& font, std::ostream* out) {
    *out << font.mDescriptor;
}

class FontsDataTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontsDataTest, LoadsMeasuresAndDrawsARussianCaption) {
    const FontCase& param = GetParam();
    StackApp<DataSetApp> app;
    ImageFont font(&app, DataPath(param.mDescriptor));
    ASSERT_TRUE(font.mFontData->mLoaded) << param.mDescriptor;
    EXPECT_TRUE(app.popups.empty()) << app.popups.front();
    EXPECT_EQ(font.GetDefaultPointSize(), param.mPixels);

    // Every letter of the Russian alphabet, Ё and ё included, and every digit has a glyph.
    const std::string alphabet =
        "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя0123456789"_cp1251;
    for (char c : alphabet) {
        EXPECT_GT(font.CharWidth(c), 0) << "byte " << (c & 0xFF);
    }
    // A bold face at this size: about 0.6 to 0.8 of the em per character, a line of 1.1 to 1.4.
    const std::string caption = "Новая игра"_cp1251;
    const int width = font.StringWidth(caption);
    EXPECT_GE(width, param.mPixels * 10 * 5 / 10);
    EXPECT_LE(width, param.mPixels * 10 * 8 / 10);
    EXPECT_GE(font.GetLineSpacing(), param.mPixels * 11 / 10);
    EXPECT_LE(font.GetLineSpacing(), param.mPixels * 14 / 10);
    EXPECT_GE(font.GetAscent() - font.GetAscentPadding(), param.mPixels * 7 / 10);

    MemoryImage dest(&app);
    dest.Create(width + 20, 40);
    Graphics g(&dest);
    g.SetFont(&font);
    g.SetColor(Color(248, 255, 68));
    g.DrawString(caption, 10, 28);
    int fill = 0;    // yellow, as the text colour
    int outline = 0; // the outline's dark brown
    int outside = 0; // beyond the glyphs' room
    const uint32_t* bits = dest.GetBits();
    for (int y = 0; y < dest.GetHeight(); ++y) {
        for (int x = 0; x < dest.GetWidth(); ++x) {
            const uint32_t p = bits[y * dest.GetWidth() + x];
            if (p >> 24 < 128) {
                continue;
            }
            const int r = p >> 16 & 0xFF;
            const int b = p & 0xFF;
            fill += r > 180 && b < 100;
            outline += r < 90;
            outside += x < 7 || x > 12 + width || y < 4 || y > 36;
        }
    }
    EXPECT_GT(fill, width * 3);
    EXPECT_EQ(outline > width, param.mOutlined) << outline << " dark pixels";
    EXPECT_EQ(outside, 0);
}

INSTANTIATE_TEST_SUITE_P(DataSet, FontsDataTest, ::testing::ValuesIn(kFonts),
                         [](const ::testing::TestParamInfo<FontCase>& info) {
                             const std::string path = info.param.mDescriptor;
                             const size_t name = path.rfind('/') + 1;
                             return path.substr(name, path.rfind('.') - name);
                         });

} // namespace
} // namespace Vuro::Test
