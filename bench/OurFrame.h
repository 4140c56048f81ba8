#pragma once
// Our side of the frame benchmark (bench/FrameScene.h): an application whose widget manager
// draws the scene's operations through a small tree of widgets into the display's screen image,
// as a game draws its screens. Shared by bench_frame and bench_playfield, which measures the
// play field beside this frame in the same run.

#include "bench/BenchPictures.h"
#include "bench/FrameScene.h"
#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::Bench {

// Runs draw once per iteration; counters frames/s and Mpix/s (pixels covered per frame).
inline void Measure(benchmark::State& state, double pixels, const std::function<void()>& draw) {
    for (auto _ : state) {
        draw();
        benchmark::ClobberMemory();
    }
    state.counters["frames/s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["Mpix/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// The program as a game runs it, but keeping the working folder and not reading the command
// line (the benchmark's options are not the application's).
class BenchApp : public VuroAppBase {
public:
    BenchApp() {
        mOnlyAllowOneCopyToRun = false;
        mCmdLineParsed = true;
    }
    bool OnChangeDirectory(const std::string&) override { return true; }
    void DrawDirtyWidgets() override {
        ++mDrawPasses;
        VuroAppBase::DrawDirtyWidgets();
    }

    int mDrawPasses = 0;
    bool mAnimating = true; // the board invalidates itself at every update
};

using OurPictures = std::vector<std::unique_ptr<MemoryImage>>;

// One operation through the drawing context, the scene's screen coordinates taken relative to
// (originX, originY).
inline void DrawOurs(Graphics& g, const DrawOp& op, const OurPictures& pictures, int originX,
                     int originY) {
    const int x = op.mRect.mX - originX;
    const int y = op.mRect.mY - originY;
    if (op.mPicture < 0) {
        g.SetColor(op.mColor);
        g.SetDrawMode(op.mMode);
        g.FillRect(x, y, op.mRect.mWidth, op.mRect.mHeight);
        return;
    }
    MemoryImage* picture = pictures[op.mPicture].get();
    if (op.mLayer != Layer::Rotated) {
        g.SetDrawMode(op.mMode);
        g.DrawImage(picture, x, y);
        return;
    }
    // The context has no rotated draw: the destination's slot is called as the context would,
    // with its translation and clip.
    g.mDestImage->BltRotated(picture, float(x + g.mTransX), float(y + g.mTransY),
                             Rect(0, 0, picture->GetWidth(), picture->GetHeight()), g.mClipRect,
                             Color::White, op.mMode, op.mAngle, picture->GetWidth() / 2.0f,
                             picture->GetHeight() / 2.0f);
}

// A widget of the scene: draws the operations of its area. The top one invalidates itself at
// every update while the application says it animates, as a game board does.
class SceneWidget : public Widget {
public:
    SceneWidget(BenchApp& app, const FrameScene& scene, const OurPictures& pictures, int area)
        : mApp(app), mScene(scene), mPictures(pictures), mArea(area) {
        const Rect& rect = kAreas[area].mScreenRect;
        const int parent = kAreas[area].mParent;
        const Rect origin = parent < 0 ? Rect() : kAreas[parent].mScreenRect;
        Resize(rect.mX - origin.mX, rect.mY - origin.mY, rect.mWidth, rect.mHeight);
    }
    void Update() override {
        Widget::Update();
        if (kAreas[mArea].mParent < 0 && mApp.mAnimating) {
            Invalidate();
        }
    }
    void Draw(Graphics* g) override {
        const Rect& rect = kAreas[mArea].mScreenRect;
        for (const DrawOp& op : mScene.mOps) {
            if (op.mArea == mArea) {
                DrawOurs(*g, op, mPictures, rect.mX, rect.mY);
            }
        }
    }

private:
    const BenchApp& mApp;
    const FrameScene& mScene;
    const OurPictures& mPictures;
    int mArea;
};

// No window is needed: SDL's dummy drivers unless the environment asks for real ones. Called
// before OurSide is made.
inline void UseDummyDriversByDefault() {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// Everything ours draws with, made once: the application (whose screen image is the target),
// the pictures and the widget tree attached to the application's widget manager.
struct OurSide {
    StackApp<BenchApp> mApp;
    FrameScene mScene = MakeFrameScene();
    OurPictures mPictures;
    std::vector<std::unique_ptr<SceneWidget>> mWidgets;

    OurSide() {
        mApp.Init();
        for (const Picture& picture : mScene.mPictures) {
            mPictures.push_back(MakeOurs(mApp, picture));
        }
        for (int area = 0; area < kAreaCount; ++area) {
            mWidgets.push_back(std::make_unique<SceneWidget>(mApp, mScene, mPictures, area));
        }
        // Parents come first, so each widget goes on top of its earlier siblings.
        for (int area = 0; area < kAreaCount; ++area) {
            const int parent = kAreas[area].mParent;
            WidgetContainer* into = parent < 0 ? static_cast<WidgetContainer*>(mApp.mWidgetManager)
                                               : mWidgets[parent].get();
            into->AddWidget(mWidgets[area].get());
        }
    }
    ~OurSide() { mApp.mWidgetManager->RemoveAllWidgets(false, false); }
    OurSide(const OurSide&) = delete;
    OurSide& operator=(const OurSide&) = delete;

    Image* Screen() { return mApp.mWidgetManager->mImage; }
};

// The frame through the widget tree: the top widget invalidated and the screen drawn.
inline void MeasureOurFrame(benchmark::State& state, OurSide& ours) {
    Widget* top = ours.mWidgets.front().get();
    Measure(state, ours.mScene.Pixels(Layer::All), [&ours, top] {
        top->Invalidate();
        (void)ours.mApp.mWidgetManager->DrawScreen();
    });
}

} // namespace Vuro::Bench
