// The intro's splash rules: the splash pictures found correct the branding file's count, the
// count sets how many pictures fade in turn and how long the splash phase lasts (the title and
// its bar come at 4, 9 or 15 seconds of updates); the start caption once loading is done.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/StringHelpers.h"
#include "game/app/GameAppFixture.h"
#include "game/screens/LocalTexts.h"
#include "support/FixedWidthFont.h"

#include <gtest/gtest.h>

#include <string>

namespace Vuro::Test {
namespace {

struct Splashes {
    int branding;      // the branding file's count
    bool splash2;      // "images/splash2" is there
    bool splash1;      // "images/splash1" is there
    int count;         // the count the intro goes by
    int finishUpdate;  // the intro's update at which the title comes
    int stageAtFinish; // the picture fading then
};

class BoardIntroTest : public GameAppFixture, public ::testing::WithParamInterface<Splashes> {};

TEST_P(BoardIntroTest, TheSplashPicturesFoundSetTheCountAndTheLengthOfTheSplashPhase) {
    const Splashes& c = GetParam();
    WriteText("images/branding.xml",
              "<Branding><Data1 value=\"" + std::to_string(c.branding) + "\"/></Branding>\n");
    for (auto [present, file] :
         {std::pair{c.splash2, "images/splash2.tga"}, std::pair{c.splash1, "images/splash1.tga"}}) {
        if (present) {
            WriteTga(file, 2, 2, std::vector<uint32_t>(4, 0xFF806040));
        }
    }
    mApp->InitGame();
    BoardIntro* intro = mApp->mIntro;
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(gSplashCount, c.count);
    EXPECT_EQ(intro->mFirstSplash != nullptr, c.splash2 || c.splash1);
    EXPECT_EQ(intro->mSecondSplash != nullptr, c.splash2 && c.splash1);
    // Updated alone: the splash pictures, stretched over the screen, are not drawn each time.
    while (!intro->mFinished && intro->mUpdateCount < 2000) {
        intro->Update();
    }
    EXPECT_TRUE(intro->mFinished);
    EXPECT_EQ(intro->mUpdateCount, c.finishUpdate);
    EXPECT_EQ(gSplashStage, c.stageAtFinish);
}

// The start caption once the menu's loading is done, over the splash pictures as over the
// title: its shadow in black, then the caption in white.
using BoardIntroCaptionTest = GameAppFixture;

TEST_F(BoardIntroCaptionTest, TheStartCaptionShowsOnceLoadingIsDoneInEitherPhase) {
    mApp->InitGame();
    WaitForLoadingWork();
    BoardIntro* intro = mApp->mIntro;
    ASSERT_NE(intro, nullptr);
    auto* font = new Testing::FixedWidthFont();
    delete intro->mFont;
    intro->mFont = font; // the intro deletes it
    const std::string caption = mApp->GetHelpText(11);
    const int total = mApp->mNumLoadingThreadTasks;
    for (bool finished : {false, true}) {
        for (bool loaded : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "finished " << finished << ", loaded " << loaded);
            intro->mFinished = finished;
            mApp->mCompletedLoadingThreadTasks = loaded ? total : total - 1;
            font->mDrawn.clear();
            MemoryImage screen(mApp.get());
            screen.Create(640, 480);
            Graphics g(&screen);
            intro->Draw(&g);
            std::vector<std::string> drawn;
            for (const Testing::FixedWidthFont::Drawn& text : font->mDrawn) {
                drawn.push_back(StrFormat("%d,%d %s %08x", text.mX, text.mY, text.mText.c_str(),
                                          text.mColor.ToInt()));
            }
            std::vector<std::string> expected;
            if (loaded) {
                expected = {"238,459 " + caption + " ff000000", "237,458 " + caption + " ffffffff"};
            }
            EXPECT_EQ(drawn, expected);
        }
    }
}

// Each picture takes 255 updates to fade in and 255 to fade out; the last one keeps fading.
INSTANTIATE_TEST_SUITE_P(Intro, BoardIntroTest,
                         ::testing::Values(Splashes{2, false, false, 0, 400, 0},
                                           Splashes{0, false, true, 1, 900, 1},
                                           Splashes{2, true, false, 1, 900, 1},
                                           Splashes{1, true, true, 1, 900, 1},
                                           Splashes{2, true, true, 2, 1500, 2}));

} // namespace
} // namespace Vuro::Test
