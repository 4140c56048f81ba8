// Screenshots: numbering after the largest number in use, the exact pixels of the screen, and
// nothing at all without a display.

#include "TestApp.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "support/TempWorkingFolder.h"

#include <filesystem>
#include <fstream>

namespace Vuro::Test {
namespace {

class ScreenshotTest : public AppFixture {
protected:
    // A small screen with a known picture: pixel (x, y) = 0xFF000000 | y << 8 | x, and one
    // pixel half transparent.
    void StartWithPicture() {
        mApp.mWidth = 40;
        mApp.mHeight = 30;
        mApp.Init();
        std::vector<uint32_t> pixels(40 * 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                pixels[y * 40 + x] = 0xFF000000u | static_cast<uint32_t>(y << 8 | x);
            }
        }
        pixels[7 * 40 + 9] = 0x80C86432u;
        mApp.mDDInterface->GetScreenImage()->SetBits(pixels.data(), 40, 30);
    }
    static void Touch(const std::string& path) { std::ofstream(path) << "x"; }

    TempWorkingFolder mFolder;
};

TEST_F(ScreenshotTest, TheNumberFollowsTheLargestInUseAndThePixelsAreTheScreens) {
    StartWithPicture();
    std::filesystem::create_directory("_screenshots");
    for (const char* name : {"image3.png", "image10.png", "imagefoo.png", "image.png",
                             "photo70.png", "image12.txt", "image-40.png"}) {
        Touch(std::string("_screenshots/") + name);
    }
    mApp.mUpdateFTimeAcc = 120.0;

    mApp.TakeScreenshot();
    ASSERT_TRUE(std::filesystem::exists("_screenshots/image11.png"));
    EXPECT_EQ(mApp.mUpdateFTimeAcc, 0.0) << "the capture's time is not caught up";
    std::unique_ptr<ImageLib::Image> shot = ImageLib::GetPNGImage("_screenshots/image11.png");
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(shot->mWidth, 40);
    ASSERT_EQ(shot->mHeight, 30);
    EXPECT_EQ(shot->mBits[0], 0xFF000000u);
    EXPECT_EQ(shot->mBits[29 * 40 + 39], 0xFF001D27u);
    EXPECT_EQ(shot->mBits[7 * 40 + 9], 0xFFC86432u) << "the screen keeps no alpha";

    mApp.TakeScreenshot();
    EXPECT_TRUE(std::filesystem::exists("_screenshots/image12.png"));
}

TEST_F(ScreenshotTest, TheFirstScreenshotIsNumberOneAndMakesItsFolder) {
    StartWithPicture();
    mApp.TakeScreenshot();
    EXPECT_TRUE(std::filesystem::exists("_screenshots/image1.png"));
}

TEST_F(ScreenshotTest, WithoutADisplayNothingIsWritten) {
    mApp.mUpdateFTimeAcc = 120.0;
    mApp.TakeScreenshot();
    EXPECT_FALSE(std::filesystem::exists("_screenshots"));
    EXPECT_EQ(mApp.mUpdateFTimeAcc, 120.0);
}

} // namespace
} // namespace Vuro::Test
