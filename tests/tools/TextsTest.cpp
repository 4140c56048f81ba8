// The localised texts of the data set: every file each reader opens, with every number it asks
// for, in code page 1251, and each text short enough for its place, measured in the game's menu
// font (the font of the dialogs, buttons and map; the widest of the three).
#include "framework/app/StackApp.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "platform/TextEncoding.h"
#include "tests/tools/DataSetTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

std::string Local(int number) {
    return "local/" + std::to_string(number) + ".xml";
}

struct TextFileRule {
    std::string mFile;
    int mLast; // the reader asks for texts 1..mLast
};

std::vector<TextFileRule> AllTextFiles() {
    std::vector<TextFileRule> rules = {
        {Local(1), 28}, {Local(2), 9}, {Local(700), 10}, {Local(682), 9}, {Local(100), 4},
        {Local(3), 2},  {Local(4), 2}, {Local(5), 2},    {Local(680), 2}, {Local(681), 2},
    };
    for (int group : {600, 610, 620, 640, 650, 660, 670, 690}) {
        for (int n = 1; n <= 5; ++n) {
            rules.push_back({Local(group + n), 2});
        }
    }
    return rules;
}

TEST(Texts, EveryFileHoldsEveryTextItsReaderAsksFor) {
    for (const TextFileRule& rule : AllTextFiles()) {
        std::map<int, std::string> texts = ReadNumberedTexts(rule.mFile);
        EXPECT_EQ(texts.size(), static_cast<size_t>(rule.mLast)) << rule.mFile;
        for (int n = 1; n <= rule.mLast; ++n) {
            EXPECT_EQ(texts.count(n), 1u) << rule.mFile << " lacks Text" << n;
        }
        for (const auto& [n, text] : texts) {
            // No text is a format or holds a colour code: a '%' or '^' would show wrongly.
            EXPECT_EQ(text.find_first_of("%^"), std::string::npos) << rule.mFile << " Text" << n;
        }
    }
}

TEST(Texts, AreCodePage1251) {
    EXPECT_EQ(ReadNumberedTexts(Local(1))[2], std::string("Отмена"_cp1251));
    EXPECT_EQ(ReadNumberedTexts(Local(1))[10], std::string("Пауза"_cp1251));
    EXPECT_EQ(ReadNumberedTexts(Local(682))[1], std::string("Бабушкин сад"_cp1251));
    EXPECT_EQ(ReadNumberedTexts(Local(100))[1], std::string("Не торопитесь!"_cp1251));
    // Markup characters come back from their references.
    EXPECT_EQ(ReadNumberedTexts(Local(671))[2],
              std::string("Открыть этап \"Озеро\" за 6500 очков?"_cp1251));
}

TEST(Texts, BrandingGivesOneSplashPicture) {
    std::map<int, std::string> data = ReadNumberedTexts("images/branding.xml", "Branding", "Data");
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[1], "1");
}

class TextsInTheMenuFont : public ::testing::Test {
protected:
    int Width(const std::string& text) { return mFont.StringWidth(text); }
    // Lines of a dialog body: the dialogs wrap their lines into 400 less margins and frame.
    int DialogLines(const std::string& text) {
        Graphics g(nullptr);
        g.SetFont(&mFont);
        return g.MeasureWrappedText(340, text) / mFont.GetLineSpacing();
    }

    StackApp<DataSetApp> mApp;
    ImageFont mFont{&mApp, DataPath("images/fonts/MainMenu16Bold.txt")};
};

TEST_F(TextsInTheMenuFont, CaptionsFitTheirPlaces) {
    ASSERT_TRUE(mFont.mFontData->mLoaded);
    std::map<int, std::string> help = ReadNumberedTexts(Local(1));
    for (int button : {1, 2, 5, 6, 7, 8, 9}) { // 110-pixel buttons
        EXPECT_LE(Width(help[button]), 100) << "Text" << button;
    }
    EXPECT_LE(Width(help[11]), 195);           // the intro's start box, from x 237
    EXPECT_LE(Width(help[21] + " : 43"), 125); // score rows: level at x 250, score at 380
    EXPECT_LE(Width(help[22] + " : 999999"), 250);
    std::map<int, std::string> menu = ReadNumberedTexts(Local(2));
    EXPECT_LE(Width(menu[7]), 100); // options check boxes: 3-D, full screen, cursor
    EXPECT_LE(Width(menu[8]), 135);
    EXPECT_LE(Width(menu[9]), 200);
    std::map<int, std::string> map = ReadNumberedTexts(Local(682));
    for (int region = 1; region <= 6; ++region) {
        EXPECT_LE(Width(map[region]), 190) << "region " << region; // from x 441..464
    }
    EXPECT_LE(Width(map[7]), 165); // from x 470
    for (const auto& [n, line] : ReadNumberedTexts(Local(700))) {
        EXPECT_LE(Width(line), 355) << "line " << n; // the credits' pictures begin at x 370
    }
    for (int tip = 100; tip < 600; ++tip) { // help panel lines, from x 40
        std::string file = Local(tip);
        if (std::filesystem::exists(DataPath(file))) {
            for (const auto& [n, line] : ReadNumberedTexts(file)) {
                EXPECT_LE(Width(line), 560) << file << " line " << n;
            }
        }
    }
}

TEST_F(TextsInTheMenuFont, DialogBodiesFitAboveTheirButtons) {
    // One-button messages 300 high leave six lines; 270 five; 190 two; 160 one.
    for (int group : {600, 610, 620, 640, 660, 690}) {
        for (int n = 1; n <= 5; ++n) {
            EXPECT_LE(DialogLines(ReadNumberedTexts(Local(group + n))[2]), 6) << group + n;
        }
    }
    EXPECT_LE(DialogLines(ReadNumberedTexts(Local(3))[2]), 6);
    EXPECT_LE(DialogLines(ReadNumberedTexts(Local(4))[2]), 6);
    EXPECT_LE(DialogLines(ReadNumberedTexts(Local(5))[2]), 5);
    std::map<int, std::string> help = ReadNumberedTexts(Local(1));
    EXPECT_LE(DialogLines(help[13]), 2);
    EXPECT_LE(DialogLines(help[14]), 1);
    // Two-button questions (400 x 200, buttons at 130) leave two lines.
    EXPECT_LE(DialogLines(help[28]), 2);
    EXPECT_LE(DialogLines(ReadNumberedTexts(Local(2))[2]), 2);
    for (int question : {651, 652, 653, 654, 655, 671, 672, 673, 674, 675, 680, 681}) {
        EXPECT_LE(DialogLines(ReadNumberedTexts(Local(question))[2]), 2) << question;
    }
}

} // namespace
} // namespace Vuro::Test
