// The readers of the localised text files and of the branding file.

#include "game/screens/LocalTexts.h"

#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

void Write(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

TEST(LocalTextsTest, TakesTextNOfHelpTextOnly) {
    struct Case {
        const char* what;
        std::string body; // inside the file
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"any order",
         R"(<HelpText><Text2 value="b"/><Text1 value="a"/></HelpText>)",
         {"a", "b", "old"}},
        {"nested deeper, lower case, leading zero, out of range, other names",
         R"(<HelpText><Group><Text1 value="x"/></Group><text2 value="x"/><Text03 value="x"/>
            <Text4 value="x"/><Text0 value="x"/><Other value="x"/></HelpText>)",
         {"old", "old", "old"}},
        {"a later element wins; no value is empty",
         R"(<HelpText><Text1 value="a"/><Text1 value="b"/><Text2 other="x"/></HelpText>)",
         {"b", "", "old"}},
        {"no HelpText", R"(<Texts><Text1 value="a"/></Texts>)", {"old", "old", "old"}},
        {"a parse error keeps what came before",
         R"(<HelpText><Text1 value="a"/><Text2 value="b" <Text3 value="c"/></HelpText>)",
         {"a", "old", "old"}},
        {"code page 1251 as it stands",
         "<HelpText><Text3 value=\"\xCF\xF0\xE8\xE2\xE5\xF2 ^00FF00^!\"/></HelpText>",
         {"old", "old", "\xCF\xF0\xE8\xE2\xE5\xF2 ^00FF00^!"}},
    };
    TempWorkingFolder folder;
    for (const Case& c : cases) {
        Write("texts.xml", c.body);
        std::vector<std::string> texts(3, "old");
        EXPECT_TRUE(ReadLocalTexts("texts.xml", texts.data(), 3)) << c.what;
        EXPECT_EQ(texts, c.texts) << c.what;
    }
    std::vector<std::string> texts(3, "old");
    EXPECT_FALSE(ReadLocalTexts("missing.xml", texts.data(), 3));
    EXPECT_EQ(texts, std::vector<std::string>(3, "old"));
    EXPECT_EQ(LocalTextFile(700), "local/700.xml");
}

TEST(LocalTextsTest, BrandingGivesTheClampedSplashCountFromTheFirstData1) {
    struct Case {
        std::string body;
        bool read;
        int count;
    };
    const Case cases[] = {
        {R"(<Branding><Data1 value="1"/></Branding>)", true, 1},
        {R"(<Branding><Data1 value="5"/></Branding>)", true, 2},
        {R"(<Branding><Data1 value="-3"/></Branding>)", true, 0},
        {R"(<Branding><Data1 value="2"/><Data1 value="0"/></Branding>)", true, 2},
        {R"(<Branding><Data1/></Branding>)", true, 0},
        {R"(<Branding><Data2 value="1"/></Branding>)", false, 7},
        {R"(<Other><Data1 value="1"/></Other>)", false, 7},
    };
    TempWorkingFolder folder;
    std::filesystem::create_directories("images");
    for (const Case& c : cases) {
        Write(kBrandingFile, c.body);
        gSplashCount = 7;
        gSplashStage = 3;
        EXPECT_EQ(ReadBranding(), c.read) << c.body;
        EXPECT_EQ(gSplashCount, c.count) << c.body;
        EXPECT_EQ(gSplashStage, c.read ? 0 : 3) << c.body;
    }
    std::filesystem::remove(kBrandingFile);
    EXPECT_FALSE(ReadBranding());
}

} // namespace
} // namespace Vuro::Test
