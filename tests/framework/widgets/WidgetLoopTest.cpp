// End to end: the application's real loop on the fake clock updates a small widget tree, routes
// scripted window input to it and draws its dirty parts into the screen image, which is then
// presented. Pixels are checked against values worked out from the fill and blend formulas.

#include "framework/app/TestApp.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using namespace Platform;

// A widget that fills its rectangle with one colour and counts its draws.
class FilledWidget : public Widget {
public:
    FilledWidget(int x, int y, int width, int height, const Color& color) : mColor(color) {
        mX = x;
        mY = y;
        mWidth = width;
        mHeight = height;
    }
    void Draw(Graphics* g) override {
        ++draws;
        g->SetColor(ColorNow());
        g->FillRect(0, 0, mWidth, mHeight);
    }
    virtual Color ColorNow() { return mColor; }

    Color mColor;
    int draws = 0;
};

// Red; green while a button is held on it. A release over it counts a click.
class PressPad : public FilledWidget {
public:
    PressPad() : FilledWidget(100, 100, 60, 40, Color(200, 0, 0)) { mWantsHandCursor = true; }
    Color ColorNow() override { return mIsDown ? Color(0, 200, 0) : mColor; }
    void MouseDown(int, int, int) override { Invalidate(); }
    void MouseUp(int x, int y, int) override {
        Invalidate();
        if (x >= 0 && y >= 0 && x < mWidth && y < mHeight) {
            ++clicks;
        }
    }
    void Update() override {
        FilledWidget::Update();
        ++updates;
    }
    int clicks = 0;
    int updates = 0;
};

// The screen is a 32-bit surface (the fake desktop's format), read back with alpha 255. An
// opaque fill writes each channel as c * 255 >> 8: (20, 40, 60) becomes (19, 39, 59).
constexpr uint32_t kBackdrop = 0xFF13273B;
constexpr uint32_t kRed = 0xFFC70000;   // 200 -> 199
constexpr uint32_t kGreen = 0xFF00C700; // 200 -> 199
constexpr uint32_t kBlue = 0xFF0000FE;  // 255 -> 254
// White at alpha 128 over the backdrop: the source (((255 * 128 + 127) >> 8) + 1) * 255 >> 8
// = 127, plus d * 128 >> 8 of each channel: 127 + 9, 127 + 19, 127 + 29.
constexpr uint32_t kVeiled = 0xFF88929C;

class WidgetLoopTest : public AppFixture {
protected:
    void SetUp() override {
        mApp.Init();
        mPad.AddWidget(&mPip);
        mVeil.mTranslucent = true;
        for (Widget* w : {static_cast<Widget*>(&mBackdrop), static_cast<Widget*>(&mPad),
                          static_cast<Widget*>(&mVeil)}) {
            mApp.mWidgetManager->AddWidget(w);
        }
        mScreen = mApp.mDDInterface->GetScreenImage();
        mWindow = mWindows.LastWindow();
        ASSERT_NE(mWindow, nullptr);
    }
    void TearDown() override { mApp.mWidgetManager->RemoveAllWidgets(false, false); }

    uint32_t Pixel(int x, int y) { return mScreen->GetBits()[y * mScreen->GetWidth() + x]; }
    void Send(uint32_t message, int x, int y) {
        mEvents.Add(Message{mWindow->Id(), message, 0, MakePointParam(x, y)});
    }
    // Steps until the loop sleeps twice: the input is dispatched, an update runs and the
    // frame is drawn.
    void Settle() {
        ASSERT_TRUE(StepToNextSleep());
        ASSERT_TRUE(StepToNextSleep());
    }

    FilledWidget mBackdrop{0, 0, 640, 480, Color(20, 40, 60)};
    PressPad mPad;
    // Reaches past the pad's right and bottom edges: clipped to the pad.
    FilledWidget mPip{50, 30, 20, 20, Color(0, 0, 255)};
    FilledWidget mVeil{300, 200, 100, 100, Color(255, 255, 255, 128)};
    DDImage* mScreen = nullptr;
    FakeWindow* mWindow = nullptr;
};

TEST_F(WidgetLoopTest, TheLoopDrawsTheTreeIntoTheScreenImageAndPresentsIt) {
    Settle();
    EXPECT_GT(mPad.updates, 0);
    EXPECT_EQ(Pixel(0, 0), kBackdrop);
    EXPECT_EQ(Pixel(639, 479), kBackdrop);
    EXPECT_EQ(Pixel(100, 100), kRed);
    EXPECT_EQ(Pixel(149, 129), kRed);
    EXPECT_EQ(Pixel(150, 130), kBlue);
    EXPECT_EQ(Pixel(159, 139), kBlue);
    EXPECT_EQ(Pixel(160, 135), kBackdrop) << "the pip is clipped to the pad";
    EXPECT_EQ(Pixel(155, 140), kBackdrop);
    EXPECT_EQ(Pixel(300, 200), kVeiled);
    EXPECT_EQ(Pixel(399, 299), kVeiled);
    EXPECT_EQ(Pixel(400, 300), kBackdrop);
    EXPECT_GT(mWindow->mPresents, 0);
    EXPECT_EQ(mWindow->mFirstPixel, kBackdrop);
    EXPECT_EQ(mWindow->mLastWidth, 640);

    // The translucent veil redrawn alone would blend over itself; invalidating it redraws the
    // backdrop beneath first, so its pixels stay exactly the same.
    int backdropDraws = mBackdrop.draws;
    mVeil.Invalidate();
    Settle();
    EXPECT_GT(mBackdrop.draws, backdropDraws);
    EXPECT_EQ(Pixel(350, 250), kVeiled);
}

TEST_F(WidgetLoopTest, AFrameWithNothingDirtyPresentsNothing) {
    Settle();
    const int presents = mWindow->mPresents;
    const int draws = mBackdrop.draws + mPad.draws + mPip.draws + mVeil.draws;
    const int updates = mPad.updates;
    // Half a second of ticks: updates run, nothing is drawn or presented.
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(StepToNextSleep());
    }
    EXPECT_GE(mPad.updates - updates, 45);
    EXPECT_EQ(mWindow->mPresents, presents);
    EXPECT_EQ(mBackdrop.draws + mPad.draws + mPip.draws + mVeil.draws, draws);
    EXPECT_TRUE(mApp.mFrameSkipped);

    // Invalidating the pad redraws it and its child only, and presents.
    const int padDraws = mPad.draws;
    const int pipDraws = mPip.draws;
    const int otherDraws = mBackdrop.draws + mVeil.draws;
    mPad.Invalidate();
    Settle();
    EXPECT_EQ(mWindow->mPresents, presents + 1);
    EXPECT_EQ(mPad.draws, padDraws + 1);
    EXPECT_EQ(mPip.draws, pipDraws + 1);
    EXPECT_EQ(mBackdrop.draws + mVeil.draws, otherDraws);
}

TEST_F(WidgetLoopTest, ScriptedInputPressesAndReleasesThePad) {
    Settle();
    Send(kWmMouseMove, 120, 110);
    Settle();
    EXPECT_EQ(mApp.mWidgetManager->mOverWidget, &mPad);
    EXPECT_EQ(mApp.mCursorNum, 1) << "the pad wants the hand cursor";

    Send(kWmLButtonDown, 120, 110);
    Settle();
    EXPECT_TRUE(mPad.mIsDown);
    EXPECT_EQ(Pixel(120, 110), kGreen);
    EXPECT_EQ(Pixel(155, 135), kBlue);

    // Off the pad and back with the button held, then released over it: one click.
    Send(kWmMouseMove, 200, 110);
    Send(kWmMouseMove, 130, 115);
    Send(kWmLButtonUp, 130, 115);
    Settle();
    Settle();
    EXPECT_FALSE(mPad.mIsDown);
    EXPECT_EQ(mPad.clicks, 1);
    EXPECT_EQ(Pixel(120, 110), kRed);

    // Pressed, dragged off and released elsewhere: no click, and the cursor is the arrow.
    Send(kWmLButtonDown, 130, 115);
    Send(kWmMouseMove, 250, 250);
    Send(kWmLButtonUp, 250, 250);
    Settle();
    Settle();
    EXPECT_EQ(mPad.clicks, 1);
    EXPECT_EQ(mApp.mWidgetManager->mOverWidget, &mBackdrop);
    EXPECT_EQ(mApp.mCursorNum, 0);
    EXPECT_EQ(Pixel(120, 110), kRed);
}

} // namespace
} // namespace Vuro::Test
