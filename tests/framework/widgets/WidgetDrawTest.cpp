// The draw pass: only dirty top-level widgets are drawn, each with its subtree, through
// translated and clipped copies of the context; flags, modal widgets and overlays.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

using Testing::RecordingImage;

// What one Draw or DrawOnTop call saw of its context.
struct DrawCall {
    std::string name;
    int transX;
    int transY;
    Rect clip;
    bool operator==(const DrawCall&) const = default;
};
using DrawLog = std::vector<DrawCall>;

void PrintTo(const DrawCall& call, std::ostream* os) {
    *os << call.name << " at " << call.transX << "," << call.transY << " clip " << call.clip.mX
        << "," << call.clip.mY << " " << call.clip.mWidth << "x" << call.clip.mHeight;
}

class PaintedWidget : public Widget {
public:
    PaintedWidget(DrawLog& log, std::string name, int x, int y, int width, int height)
        : mLog(log), mName(std::move(name)) {
        mX = x;
        mY = y;
        mWidth = width;
        mHeight = height;
    }
    void Draw(Graphics* g) override {
        Record(mName, g);
        if (onDraw) {
            onDraw(g);
        }
    }
    void DrawOnTop(Graphics* g) override { Record(mName + ".top", g); }

    std::function<void(Graphics*)> onDraw;

private:
    void Record(const std::string& name, Graphics* g) {
        mLog.push_back(
            {name, static_cast<int>(g->mTransX), static_cast<int>(g->mTransY), g->mClipRect});
    }
    DrawLog& mLog;
    std::string mName;
};

std::vector<std::string> Names(const DrawLog& log) {
    std::vector<std::string> names;
    for (const DrawCall& call : log) {
        names.push_back(call.name);
    }
    return names;
}

// Three screens side by side on a 640 x 480 screen image; the first holds a panel with a cell.
class WidgetDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        mManager.mImage = &mScreen;
        mPanel.AddWidget(&mCell);
        mA.AddWidget(&mPanel);
        for (Widget* w : {&mA, &mB, &mC}) {
            mManager.AddWidget(w);
        }
    }
    std::vector<std::string> DrawNames() {
        mLog.clear();
        mManager.DrawScreen();
        return Names(mLog);
    }

    RecordingImage mScreen{640, 480};
    DrawLog mLog;
    WidgetManager mManager{nullptr};
    PaintedWidget mA{mLog, "a", 0, 0, 200, 200};
    PaintedWidget mPanel{mLog, "panel", 10, 20, 100, 100};
    PaintedWidget mCell{mLog, "cell", 90, 90, 50, 50};
    PaintedWidget mB{mLog, "b", 200, 0, 200, 200};
    PaintedWidget mC{mLog, "c", 400, 0, 200, 200};
};

TEST_F(WidgetDrawTest, OnlyInvalidatedWidgetsAreRedrawn) {
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_EQ(Names(mLog), (std::vector<std::string>{"a", "panel", "cell", "b", "c"}));
    EXPECT_FALSE(mA.mDirty);
    EXPECT_FALSE(mCell.mDirty);

    // Nothing dirty: nothing drawn.
    mLog.clear();
    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_TRUE(mLog.empty());

    // A cell deep inside redraws its top-level widget with the whole subtree, nothing else.
    mCell.Invalidate();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel", "cell"}));
    mB.Invalidate();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"b"}));
    // The root stays dirty: drawing does not clear it.
    EXPECT_TRUE(mManager.mDirty);
}

TEST_F(WidgetDrawTest, AWidgetHiddenByAnOpaqueOneAboveIsNotDrawn) {
    mManager.SetScreenSize(640, 480);
    mManager.DrawScreen();
    PaintedWidget cover(mLog, "cover", 0, 0, 640, 480);
    mManager.AddWidget(&cover);
    // Every screen below lies inside the cover: only the cover draws, and the hidden ones are
    // clean afterwards, as if drawn.
    for (Widget* w : {&mA, &mB, &mC}) {
        w->Invalidate();
    }
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"cover"}));
    EXPECT_FALSE(mA.mDirty);
    // A hidden screen that changes invalidates the cover over it, which alone is drawn.
    mB.Invalidate();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"cover"}));

    // Whatever might let the widgets below show through brings them back.
    const auto drawnBelow = [&](auto change) {
        change(true);
        mA.Invalidate();
        const std::vector<std::string> names = DrawNames();
        change(false);
        return names;
    };
    const std::vector<std::string> drawn{"a", "panel", "cell", "cover"};
    // A translucent cover invalidated by what lies below it invalidates all it shows.
    EXPECT_EQ(drawnBelow([&](bool on) { cover.mTranslucent = on; }),
              (std::vector<std::string>{"a", "panel", "cell", "b", "c", "cover"}));
    EXPECT_EQ(drawnBelow([&](bool on) { cover.mHasTransparencies = on; }), drawn);
    EXPECT_EQ(drawnBelow([&](bool on) { cover.mVisible = !on; }),
              (std::vector<std::string>{"a", "panel", "cell"}));
    EXPECT_EQ(drawnBelow([&](bool on) { cover.mX = on ? 1 : 0; }), drawn) << "one column shows";
    mManager.RemoveWidget(&cover);
}

TEST_F(WidgetDrawTest, EachWidgetDrawsTranslatedAndClippedToItself) {
    mManager.DrawScreen();
    EXPECT_EQ(mLog[0], (DrawCall{"a", 0, 0, Rect(0, 0, 200, 200)}));
    EXPECT_EQ(mLog[1], (DrawCall{"panel", 10, 20, Rect(10, 20, 100, 100)}));
    // The cell reaches past the panel: it is clipped to the panel as well.
    EXPECT_EQ(mLog[2], (DrawCall{"cell", 100, 110, Rect(100, 110, 10, 10)}));
    EXPECT_EQ(mLog[3], (DrawCall{"b", 200, 0, Rect(200, 0, 200, 200)}));

    // Without clipping enabled (or without the clip flag) it is not.
    mPanel.mClipEnabled = false;
    mCell.mFlagAdjust.mRemoveFlags = WidgetFlagClip;
    mA.Invalidate();
    mLog.clear();
    mManager.DrawScreen();
    EXPECT_EQ(mLog[1], (DrawCall{"panel", 10, 20, Rect(0, 0, 200, 200)}));
    EXPECT_EQ(mLog[2], (DrawCall{"cell", 100, 110, Rect(0, 0, 200, 200)}));
}

TEST_F(WidgetDrawTest, AParentsDrawingStateDoesNotReachItsChildren) {
    mPanel.onDraw = [](Graphics* g) {
        g->Translate(7, 7);
        g->ClipRect(0, 0, 1, 1);
    };
    mManager.DrawScreen();
    EXPECT_EQ(mLog[2], (DrawCall{"cell", 100, 110, Rect(100, 110, 10, 10)}));
}

TEST_F(WidgetDrawTest, HiddenWidgetsAndTheDrawFlag) {
    mC.mVisible = false;
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel", "cell", "b"}));
    EXPECT_TRUE(mC.mDirty) << "a hidden widget keeps its dirty field";
    mCell.mVisible = false;
    mCell.Invalidate();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel"}));
    EXPECT_TRUE(mCell.mDirty);

    // Without the draw flag a widget is not drawn, nor its children unless they add it back.
    mCell.mVisible = true;
    mC.mVisible = true;
    mA.Invalidate();
    mPanel.mFlagAdjust.mRemoveFlags = WidgetFlagDraw;
    mCell.mFlagAdjust.mAddFlags = WidgetFlagDraw;
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "cell", "c"}));
}

TEST_F(WidgetDrawTest, AWidgetShownAgainIsDrawn) {
    mManager.DrawScreen();
    // Hiding dirties the cell, and the draw walk skips it, so it stays dirty while hidden.
    mCell.SetVisible(false);
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel"}));
    EXPECT_TRUE(mCell.mDirty);
    // Showing it draws it, although it was left dirty while hidden.
    mCell.SetVisible(true);
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel", "cell"}));
}

TEST_F(WidgetDrawTest, BelowTheModalWidgetTheBelowModalFlagsHold) {
    mManager.DrawScreen();
    mManager.PushModalWith(&mB, FlagAdjust{0, WidgetFlagDraw});
    mManager.InvalidateAll();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"b", "c"}));
    mManager.PopModal(&mB);
    mManager.InvalidateAll();
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel", "cell", "b", "c"}));
}

TEST_F(WidgetDrawTest, ContextsOnTheScreenImageStretchFastWithoutThe3DPath) {
    Graphics* seen = nullptr;
    bool fast = false;
    bool linear = true;
    mA.onDraw = [&](Graphics* g) {
        seen = mManager.mCurrentGraphics;
        fast = g->mFastStretch;
        linear = g->mLinearBlend;
        EXPECT_EQ(g->mDestImage, &mScreen);
    };
    mManager.DrawScreen();
    EXPECT_NE(seen, nullptr);
    EXPECT_TRUE(fast);
    EXPECT_FALSE(linear);
    EXPECT_EQ(mManager.mCurrentGraphics, nullptr);
}

TEST_F(WidgetDrawTest, OverlaysLieBetweenWidgetsByPriority) {
    mManager.DrawScreen();
    // a queues two overlays while it draws; c has priority 10.
    mA.onDraw = [&](Graphics*) {
        mManager.AddOverlay(&mPanel, 20);
        mManager.AddOverlay(&mA, 5);
    };
    mC.mPriority = 10;
    mManager.InvalidateAll();
    mLog.clear();
    mManager.DrawScreen();
    EXPECT_EQ(Names(mLog),
              (std::vector<std::string>{"a", "panel", "cell", "b", "a.top", "c", "panel.top"}));
    // An overlay is drawn translated by its widget's own position.
    EXPECT_EQ(mLog[4], (DrawCall{"a.top", 0, 0, Rect(0, 0, 640, 480)}));
    EXPECT_EQ(mLog[6], (DrawCall{"panel.top", 10, 20, Rect(0, 0, 640, 480)}));
    EXPECT_TRUE(mManager.mOverlays.empty());
    EXPECT_EQ(mManager.mLowestOverlayPriority, WidgetManager::kNoOverlay);
}

TEST_F(WidgetDrawTest, PendingOverlaysAreDrawnWhenNothingIsDirty) {
    mManager.DrawScreen();
    mManager.AddOverlay(&mB, 3);
    mLog.clear();
    EXPECT_FALSE(mManager.DrawScreen());
    EXPECT_EQ(Names(mLog), (std::vector<std::string>{"b.top"}));
    // A widget that leaves the tree takes its pending overlay with it.
    mManager.AddOverlay(&mB, 3);
    mManager.RemoveWidget(&mB);
    mLog.clear();
    mManager.DrawScreen();
    EXPECT_TRUE(mLog.empty());
}

TEST_F(WidgetDrawTest, WidgetsRemovedOrDeletedWhileDrawing) {
    auto* doomed = new PaintedWidget(mLog, "doomed", 0, 300, 10, 10);
    mManager.AddWidget(doomed);
    mA.onDraw = [&](Graphics*) {
        mManager.RemoveWidget(&mB);
        delete doomed;
    };
    EXPECT_EQ(DrawNames(), (std::vector<std::string>{"a", "panel", "cell", "c"}));
    EXPECT_TRUE(mB.mDirty) << "a widget that left before its turn was not drawn";
}

} // namespace
} // namespace Vuro::Test
