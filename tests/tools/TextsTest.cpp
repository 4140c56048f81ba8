// The localised texts of the data set: every file each reader opens, with every number it asks
// for, in code page 1251, short enough for the place that shows it.
#include "platform/TextEncoding.h"
#include "tests/tools/DataSetTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vuro {
namespace {

using Test::ReadNumberedTexts;

struct TextFileRule {
    std::string mFile;
    int mLast;         // the reader asks for texts 1..mLast
    size_t mMaxLength; // characters (one byte each in code page 1251)
};

// Header and body of a message dialog, with room for about eight lines of body.
TextFileRule Message(int number) {
    return {"local/" + std::to_string(number) + ".xml", 2, 200};
}

std::vector<TextFileRule> AllTextFiles() {
    std::vector<TextFileRule> rules = {
        {"local/1.xml", 28, 70},   // the application's help texts
        {"local/2.xml", 9, 40},    // the menu's texts
        {"local/700.xml", 10, 30}, // information page and credits, beside a picture
        {"local/682.xml", 9, 14},  // map captions, beside the region name panel
        {"local/100.xml", 4, 52},  // the unripe-fruit tip: help panel lines
        Message(3),
        Message(4),
        Message(5),
        Message(680),
        Message(681),
    };
    for (int group : {600, 610, 620, 640, 650, 660, 670, 690}) {
        for (int n = 1; n <= 5; ++n) {
            rules.push_back(Message(group + n));
        }
    }
    return rules;
}

TEST(Texts, EveryFileHoldsEveryTextItsReaderAsksFor) {
    for (const TextFileRule& rule : AllTextFiles()) {
        std::map<int, std::string> texts = ReadNumberedTexts(rule.mFile);
        for (int n = 1; n <= rule.mLast; ++n) {
            EXPECT_EQ(texts.count(n), 1u) << rule.mFile << " lacks Text" << n;
        }
        EXPECT_EQ(texts.size(), static_cast<size_t>(rule.mLast)) << rule.mFile;
        for (const auto& [n, text] : texts) {
            EXPECT_LE(text.size(), rule.mMaxLength) << rule.mFile << " Text" << n;
            // No text is a format or holds a colour code: a '%' or '^' would show wrongly.
            EXPECT_EQ(text.find_first_of("%^"), std::string::npos) << rule.mFile << " Text" << n;
        }
    }
}

TEST(Texts, ButtonsAndQuestionsFitTheirPlaces) {
    std::map<int, std::string> help = ReadNumberedTexts("local/1.xml");
    for (int button : {1, 2, 5, 6, 7, 8, 9}) { // 110-pixel buttons
        EXPECT_LE(help[button].size(), 10u) << "Text" << button;
    }
    EXPECT_LE(help[14].size(), 38u); // one line in a low message box
    // Two-button questions leave room for two lines.
    EXPECT_LE(ReadNumberedTexts("local/2.xml")[2].size(), 80u);
    for (int question : {651, 652, 653, 654, 655, 671, 672, 673, 674, 675, 680, 681}) {
        EXPECT_LE(ReadNumberedTexts("local/" + std::to_string(question) + ".xml")[2].size(), 80u)
            << question;
    }
}

TEST(Texts, AreCodePage1251) {
    EXPECT_EQ(ReadNumberedTexts("local/1.xml")[2], std::string("Отмена"_cp1251));
    EXPECT_EQ(ReadNumberedTexts("local/1.xml")[10], std::string("Пауза"_cp1251));
    EXPECT_EQ(ReadNumberedTexts("local/682.xml")[1], std::string("Бабушкин сад"_cp1251));
    EXPECT_EQ(ReadNumberedTexts("local/100.xml")[1], std::string("Не торопитесь!"_cp1251));
    // Markup characters come back from their references.
    EXPECT_EQ(ReadNumberedTexts("local/671.xml")[2],
              std::string("Открыть этап \"Озеро\" за 6500 очков?"_cp1251));
}

TEST(Texts, BrandingGivesOneSplashPicture) {
    std::map<int, std::string> data = ReadNumberedTexts("images/branding.xml", "Branding", "Data");
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[1], "1");
}

} // namespace
} // namespace Vuro
