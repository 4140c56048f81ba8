// The menu art set's loader: its table in order with the cels it sets, the tasks it counts, the
// palettised credit pictures, the optional logo, and the exact failure text of each stop.

#include "game/screens/MenuArtSet.h"

#include "framework/display/DDImage.h"
#include "framework/fonts/FontTestApp.h"
#include "game/app/GameAppFixture.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

class MenuArtSetTest : public ::testing::Test {
protected:
    MenuArtSetTest() {
        for (const std::string& file : MenuArtSet::PictureFiles()) {
            Write(file);
        }
        for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
            if (step.mKind == MenuArtStep::Font) {
                WriteText(step.mFile, "");
            }
        }
    }
    // A picture of two colours, one pixel a cel, as the table cuts it.
    static void Write(const std::string& file) {
        for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
            if (file == step.mFile) {
                std::vector<uint32_t> pixels(static_cast<size_t>(step.mRows * step.mCols),
                                             0xFF204060);
                pixels[0] = 0xFFFFFFFF;
                WriteTga(file + ".tga", step.mCols, step.mRows, pixels);
                return;
            }
        }
    }
    int Done() const { return mApp.mCompletedLoadingThreadTasks; }

    TempWorkingFolder mFolder;
    StackApp<FontTestApp> mApp;
    MenuArtSet mArt;
};

TEST_F(MenuArtSetTest, LoadsTheTableInOrderWithItsCelsAndCountsFifteenTasks) {
    ASSERT_TRUE(mArt.Load(&mApp));
    EXPECT_TRUE(mApp.popups.empty());
    EXPECT_EQ(Done(), 15) << "the menu's loader counts the sixteenth after the sounds";

    std::vector<std::string> expected;
    int pictures = 0;
    int fonts = 0;
    for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
        if (step.mImage != nullptr) {
            expected.emplace_back(step.mFile);
            ++pictures;
            Image* image = mArt.*step.mImage;
            ASSERT_NE(image, nullptr) << step.mFile;
            EXPECT_EQ(image->mNumRows, step.mRows) << step.mFile;
            EXPECT_EQ(image->mNumCols, step.mCols) << step.mFile;
        }
        if (step.mFont != nullptr) {
            ++fonts;
            EXPECT_NE(mArt.*step.mFont, nullptr) << step.mFile;
        }
    }
    EXPECT_EQ(mApp.loadedImages, expected);
    EXPECT_EQ(pictures, 60);
    EXPECT_EQ(fonts, 2);
    EXPECT_NE(mArt.mButton, mArt.mDialogButton) << "button_1 is loaded twice, as two pictures";
    for (int n = 1; n <= MenuArtSet::kCreditCount; ++n) {
        auto* credit = dynamic_cast<MemoryImage*>(mArt.Credit(n));
        ASSERT_NE(credit, nullptr) << n;
        EXPECT_TRUE(credit->IsPalettised()) << n;
    }
    EXPECT_EQ(mArt.Credit(8), nullptr);
    EXPECT_EQ(mArt.LevelSelect(6), mArt.mLevelSelect6);
    EXPECT_FALSE(dynamic_cast<MemoryImage*>(mArt.mMap)->IsPalettised());
}

TEST_F(MenuArtSetTest, StopsAtTheFirstMissingFileWithItsOwnText) {
    struct Case {
        const char* missing;
        const char* text; // null: no message, everything else loads
        int done;         // tasks counted when the load stopped
        Image* MenuArtSet::*lastLoaded;
    };
    const Case cases[] = {
        {"images/logo_RU", nullptr, 15, &MenuArtSet::mMenu},
        {"images/easy", "There was an error loading the file: easy", 0, &MenuArtSet::mLogo},
        {"images/cred2", "There was an error loading the file: cred2", 0, &MenuArtSet::mCred1},
        {"images/cred5", "There was an error loading the file: cred", 0, &MenuArtSet::mCred4},
        {"images/black", "There was an error loading the file: images/black", 0, &MenuArtSet::mSun},
        {"images/light", "There was an error loading the file: images/checkbox", 7,
         &MenuArtSet::mStat},
        {"images/dlg", "There was an error loading the file: images/dialog", 7,
         &MenuArtSet::mCheckbox},
        {"images/sliderthumb", "There was an error loading the file: images/slider_thumb", 9,
         &MenuArtSet::mSlider},
        {"images/button2", "There was an error loading the file: images/button2", 10,
         &MenuArtSet::mButtonOver1},
        {"images/menu", "There was an error loading the file: images/menu", 15,
         &MenuArtSet::mProfileIconOver},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(std::string(c.missing) + ".tga");
        MenuArtSet art;
        mApp.popups.clear();
        mApp.mCompletedLoadingThreadTasks = 0;
        EXPECT_EQ(art.Load(&mApp), c.text == nullptr) << c.missing;
        EXPECT_EQ(mApp.popups,
                  c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{})
            << c.missing;
        EXPECT_EQ(Done(), c.done) << c.missing;
        if (c.text != nullptr) {
            EXPECT_NE(art.*c.lastLoaded, nullptr) << c.missing;
        }
        EXPECT_EQ(art.mLogo == nullptr, std::string(c.missing) == "images/logo_RU");
        Write(c.missing);
    }
}

TEST_F(MenuArtSetTest, AFontThatDoesNotParseStopsTheLoadLikeAMissingOne) {
    WriteText("images/fonts/num14.txt", "Bogus 1;");
    EXPECT_FALSE(mArt.Load(&mApp));
    ASSERT_FALSE(mApp.popups.empty());
    EXPECT_EQ(mApp.popups.back(), "There was an error loading images/fonts/num14.txt");
    EXPECT_NE(mArt.mMainFont, nullptr);
    EXPECT_EQ(mArt.mNumFont, nullptr);
    EXPECT_EQ(mArt.mStart, nullptr);
    EXPECT_EQ(Done(), 0);

    std::filesystem::remove("images/fonts/MainMenu16Bold.txt");
    MenuArtSet second;
    mApp.popups.clear();
    EXPECT_FALSE(second.Load(&mApp));
    EXPECT_EQ(mApp.popups, std::vector<std::string>{
                               "There was an error loading images/fonts/MainMenu16Bold.txt"});
    EXPECT_EQ(second.mMainFont, nullptr);
}

} // namespace
} // namespace Vuro::Test
