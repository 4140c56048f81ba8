// The two bars that follow the application's loading-task counters: the intro's (its full bar
// over the empty one) and the loading screen's fill over its frame. Each shows 1 / remaining of
// its picture's width, all of it once one task or none remains (or more are done than counted).
// The bars' pictures are plain colours here, so the drawn length is counted in pixels.

#include "game/app/GameAppFixture.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelBlend.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

constexpr int kBarWidth = 160;
constexpr int kFillWidth = 320;
constexpr uint32_t kEmpty = 0xFF0000FF;
constexpr uint32_t kFull = 0xFFFF0000;
// As drawn: the normal blit keeps 255/256 of each channel of an opaque pixel.
const uint32_t kEmptyDrawn = Blend::OpaqueRef(0xFF000000, kEmpty, 255);
const uint32_t kFullDrawn = Blend::OpaqueRef(0xFF000000, kFull, 255);

struct Counters {
    int total;
    int done;
    int introBar;   // pixels of the intro's full bar
    int loadingBar; // pixels of the loading screen's fill
};
constexpr Counters kCases[] = {
    {16, 0, kBarWidth / 16, kFillWidth / 16}, // the menu's loading begins: 1/16
    {16, 8, kBarWidth / 8, kFillWidth / 8},   {16, 14, kBarWidth / 2, kFillWidth / 2},
    {16, 15, kBarWidth, kFillWidth},          {16, 16, kBarWidth, kFillWidth},
    {10, 0, kBarWidth / 10, kFillWidth / 10}, // a play board's loading
    {10, 16, kBarWidth, kFillWidth},          // the menu's 16 done against a board's 10
};

class LoadingBarsTest : public GameAppFixture {
protected:
    LoadingBarsTest() {
        WriteTga("images/introload_empty.tga", kBarWidth, 4,
                 std::vector<uint32_t>(kBarWidth * 4, kEmpty));
        WriteTga("images/introload_full.tga", kBarWidth, 4,
                 std::vector<uint32_t>(kBarWidth * 4, kFull));
        for (const BoardLoading::PicturePair& pair : BoardLoading::Pairs()) {
            WriteTga(std::string(pair.mFrame) + ".tga", kFillWidth, 4,
                     std::vector<uint32_t>(kFillWidth * 4, kEmpty));
            WriteTga(std::string(pair.mFill) + ".tga", kFillWidth, 4,
                     std::vector<uint32_t>(kFillWidth * 4, kFull));
        }
    }
    // The pixels of the full colour on row y from x on, and that the rest of the row up to
    // width is the empty colour.
    ::testing::AssertionResult FullLength(Widget& screen, int x, int y, int width, int expected) {
        MemoryImage image(mApp.get());
        image.Create(640, 480);
        Graphics g(&image);
        screen.Draw(&g);
        const uint32_t* row = image.GetBits() + y * 640 + x;
        int full = 0;
        while (full < width && row[full] == kFullDrawn) {
            ++full;
        }
        for (int rest = full; rest < width; ++rest) {
            if (row[rest] != kEmptyDrawn) {
                return ::testing::AssertionFailure() << "pixel " << rest << " is neither colour";
            }
        }
        if (full != expected) {
            return ::testing::AssertionFailure() << full << " pixels full, not " << expected;
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(LoadingBarsTest, TheIntrosBarAndTheLoadingScreensFillFollowTheTaskCounters) {
    WriteProfile("Tester");
    mApp->InitGame();
    BoardIntro* intro = mApp->mIntro;
    ASSERT_TRUE(StepUntilLoaded());
    ASSERT_TRUE(StepUntil([&] { return intro->mFinished; })) << "the title and its bar are shown";
    BoardLoading loading(mApp.get(), 0);
    loading.LoadImages();
    loading.Resize(0, 0, 640, 480);
    for (const Counters& c : kCases) {
        SCOPED_TRACE(std::to_string(c.done) + " of " + std::to_string(c.total));
        mApp->mNumLoadingThreadTasks = c.total;
        mApp->mCompletedLoadingThreadTasks = c.done;
        EXPECT_TRUE(FullLength(*intro, 206, 429, kBarWidth, c.introBar));
        EXPECT_TRUE(
            FullLength(loading, BoardLoading::kX, BoardLoading::kY + 1, kFillWidth, c.loadingBar));
    }
}

} // namespace
} // namespace Vuro::Test
