// bench_frame's 3-D cases: the frame's operations drawn onto the display's 32-bit screen in
// 2-D (software, on the surface and in memory) and through the 3-D device (SDL's software
// renderer here; a GPU figure waits for the renderer of the window), each followed by the
// presentation, which for 3-D ends the scene and brings its picture into the drawing surface.
// They run beside the frame benchmarks of FrameBench.cpp, registered when the program starts.

#include "bench/OurFrame.h"
#include "framework/display/DDImage.h"

#include <cstdio>

namespace {

using namespace Vuro;
using namespace Vuro::Bench;

// A display of its own on the application's window system, the scene's pictures as in-memory
// images (the 3-D path makes textures of them at their first draw).
struct DisplaySide {
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<DDInterface> mDisplay;
    FrameScene mScene = MakeFrameScene();
    OurPictures mPictures;

    DisplaySide(VuroAppBase& app, bool use3D) {
        Platform::WindowParams params;
        params.width = kScreenWidth;
        params.height = kScreenHeight;
        mWindow = Platform::GetWindowSystem().CreateWindow(params);
        mDisplay = std::make_unique<DDInterface>(&app);
        mDisplay->mIs3D = use3D;
        const int result = mDisplay->Init(mWindow.get(), true);
        if (result != DDInterface::RESULT_OK) {
            std::fprintf(stderr, "display: %s %s\n", DDInterface::ResultToString(result).c_str(),
                         mDisplay->mErrorString.c_str());
        }
        for (const Picture& picture : mScene.mPictures) {
            mPictures.push_back(MakeOurs(app, picture));
        }
    }
};

// Made at the first run and kept to the end of the program: the application they stand on
// (bench_frame's) goes first at exit.
DisplaySide& Side(bool use3D) {
    static DisplaySide* sides[2] = {};
    DisplaySide*& side = sides[use3D ? 1 : 0];
    if (side == nullptr) {
        side = new DisplaySide(*gVuroApp, use3D);
    }
    return *side;
}

void DisplayFrame(benchmark::State& state, bool use3D) {
    DisplaySide& side = Side(use3D);
    DDImage* screen = side.mDisplay->GetScreenImage();
    Measure(state, side.mScene.Pixels(Layer::All), [&side, screen, use3D] {
        Graphics g(screen);
        // As the widget manager does: fast stretching in 2-D, filtered in 3-D.
        g.SetFastStretch(!use3D);
        for (const DrawOp& op : side.mScene.mOps) {
            DrawOurs(g, op, side.mPictures, 0, 0);
        }
        (void)side.mDisplay->Redraw(nullptr);
    });
}

[[maybe_unused]] const bool gRegistered = [] {
    benchmark::RegisterBenchmark("Display2D/FramePresented", DisplayFrame, false);
    benchmark::RegisterBenchmark("Display3D/FramePresented", DisplayFrame, true);
    return true;
}();

} // namespace
