// The software cursor on the screen: drawn by a presentation, moved by the cursor thread, and
// taken away without a trace; in a window that keeps the pictures presented (where the primary
// leaves a whole frame in the window until it is next used) and in one that keeps nothing.

#include "framework/display/DDInterface.h"

#include "support/DisplayRig.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <thread>

namespace Vuro::Test {
namespace {

using namespace Platform;

constexpr uint32_t kRed = 0xFF0000;

// A 64 x 48 screen of a pattern, with an 8 x 8 red cursor image; the parameter: the window
// keeps pictures.
class CursorTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        static_cast<FakeWindow*>(mRig.window.get())->mKeepsPictures = GetParam();
        ASSERT_EQ(mRig.Init(), DDInterface::RESULT_OK);
        mCursor = MakeImage(mRig.display, 8, 8, std::vector<uint32_t>(64, 0xFFFF0000));
        DrawFrame(0);
    }
    // Frame n: every pixel a colour of its own that is never the cursor's red.
    void DrawFrame(int n) {
        std::vector<uint32_t> frame(64 * 48);
        for (size_t i = 0; i < frame.size(); ++i) {
            frame[i] = 0xFF000000 | static_cast<uint32_t>((i * 7 + n * 13) & 0xFFFF);
        }
        mFrame = frame;
        DDImage* screen = mRig.display->GetScreenImage();
        screen->SetBits(frame.data(), 64, 48);
    }
    // The frame with the cursor image centred on (x, y), as the window should show it.
    std::vector<uint32_t> Expected(int x, int y, bool withCursor = true) const {
        std::vector<uint32_t> out(mFrame.size());
        for (int py = 0; py < 48; ++py) {
            for (int px = 0; px < 64; ++px) {
                const bool cursor =
                    withCursor && px >= x - 4 && px < x + 4 && py >= y - 4 && py < y + 4;
                out[py * 64 + px] = cursor ? kRed : mFrame[py * 64 + px] & 0xFFFFFF;
            }
        }
        return out;
    }
    std::vector<uint32_t> Shown() { return ReadSurface(mRig.display->mPrimarySurface.get()); }

    DisplayRig mRig{kFormat888};
    std::unique_ptr<DDImage> mCursor;
    std::vector<uint32_t> mFrame;
};

TEST_P(CursorTest, DrawnMovedAndTakenAwayWithoutATrace) {
    DDInterface& d = *mRig.display;
    // Without a cursor image only the position changes.
    d.SetCursorPos(30, 20);
    ASSERT_TRUE(d.Redraw(nullptr));
    EXPECT_EQ(Shown(), Expected(0, 0, false));
    EXPECT_FALSE(d.mHasOldCursorArea);

    EXPECT_TRUE(d.SetCursorImage(mCursor.get()));
    EXPECT_FALSE(d.SetCursorImage(mCursor.get())) << "unchanged";
    ASSERT_TRUE(d.Redraw(nullptr));
    EXPECT_EQ(Shown(), Expected(30, 20));
    EXPECT_TRUE(d.mHasOldCursorArea);
    EXPECT_EQ(ReadSurface(d.mDrawSurface.get()), Expected(0, 0, false)) << "the frame is clean";

    // Moves of a few pixels (the areas overlap), then far, then to the corner.
    for (const auto& [x, y] : {std::pair{33, 18}, std::pair{29, 23}, std::pair{50, 40},
                               std::pair{0, 0}, std::pair{63, 47}, std::pair{10, 5}}) {
        d.SetCursorPos(x, y);
        EXPECT_EQ(Shown(), Expected(x, y)) << x << "," << y;
    }
    // At (0, 0) only the lower-right quarter of the area lies on the screen.
    d.SetCursorPos(0, 0);
    EXPECT_EQ(Shown(), Expected(0, 0));
    d.RestoreOldCursorArea(d.mPrimarySurface.get());
    EXPECT_EQ(Shown(), Expected(0, 0, false));
    EXPECT_FALSE(d.mHasOldCursorArea);
    EXPECT_EQ(static_cast<FakeWindow*>(mRig.window.get())->mPictureReads, GetParam() ? 2 : 0)
        << "each frame left in the window, read back once by the first look at it";
}

TEST_P(CursorTest, APositionGivenDuringAPresentationIsDrawnByTheNext) {
    DDInterface& d = *mRig.display;
    ASSERT_TRUE(d.SetCursorImage(mCursor.get()));
    d.SetCursorPos(20, 20);
    ASSERT_TRUE(d.Redraw(nullptr));
    d.mPresenting = true; // as while Redraw runs
    d.SetCursorPos(40, 30);
    d.mPresenting = false;
    EXPECT_EQ(Shown(), Expected(20, 20)) << "not moved meanwhile";
    ASSERT_TRUE(d.Redraw(nullptr));
    EXPECT_EQ(Shown(), Expected(40, 30));
}

// The cursor thread moves the cursor every 10 ms of the fake clock while the main thread draws
// and presents frames: whatever the interleaving, the window never keeps an old cursor.
TEST_P(CursorTest, TheCursorThreadMovesItWhileFramesArePresented) {
    FakeClock clock;
    DDInterface& d = *mRig.display;
    ASSERT_TRUE(d.SetCursorImage(mCursor.get()));
    constexpr int kSteps = 200;
    auto positionOf = [](int step) { return std::pair{(step * 7) % 64, (step * 5) % 48}; };
    std::atomic<int> moved{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    std::thread cursorThread([&] {
        for (int step = 0; step < kSteps && !stop; ++step) {
            clock.SleepMs(10);
            const auto [x, y] = positionOf(step);
            ScopedLock lock(d.mCritSect);
            d.SetCursorPos(x, y);
            moved = step + 1;
        }
        finished = true;
    });
    bool presented = true;
    int frame = 0;
    for (; presented && moved < kSteps; ++frame) {
        {
            ScopedLock lock(d.mCritSect);
            DrawFrame(frame);
        }
        presented = d.Redraw(nullptr);
        clock.Advance(10);
        if (frame % 5 == 0) {
            ScopedLock lock(d.mCritSect);
            EXPECT_EQ(Shown(), Expected(d.mCursorDrawnX, d.mCursorDrawnY)) << frame;
        }
    }
    // A failed presentation ends the frames early, and the thread need not finish its steps.
    // Asleep on the clock only this thread moves, it is woken until it has ended.
    stop = !presented;
    const bool ended = clock.WakeSleepersUntil([&] { return finished.load(); });
    stop = true;
    cursorThread.join();
    ASSERT_TRUE(ended) << "the cursor thread did not end";
    ASSERT_TRUE(presented) << "frame " << frame - 1;
    const auto [x, y] = positionOf(kSteps - 1);
    ASSERT_TRUE(d.Redraw(nullptr));
    EXPECT_EQ(Shown(), Expected(x, y));
}

INSTANTIATE_TEST_SUITE_P(Windows, CursorTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Keeping" : "KeepingNothing";
                         });

} // namespace
} // namespace Vuro::Test
