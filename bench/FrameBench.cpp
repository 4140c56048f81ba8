// Speed of a whole frame of a casual-game screen at 640 x 480 (bench/FrameScene.h): the widget
// manager drawing a small tree of widgets through the drawing context into the display's screen
// image, against the same pictures at the same places drawn with SDL2 surfaces (and its software
// renderer for blended fills and rotation) and with pixman. Each layer of the frame is also
// measured alone, so a slow frame points at its cause.
//
// Counters: frames/s, and Mpix/s, the destination pixels the frame's operations cover (a rotated
// sprite counts its own area) per second. After the run a table gives ours / theirs (above 1:
// ours is faster), then ours alone: the same frame without the widget tree, presenting the
// screen image, and a whole pass of the application's loop (input pump, one fixed update, the
// draw pass, the present) on SDL's window system.
//
// "Ours/<layer>" and "Ours/FrameDirect" draw into an image in memory: the in-memory image's
// blitters. "Ours/Frame" (through the widget tree) draws into the application's screen image,
// which is a display image over a 32-bit surface, as in the game. The same frame is also drawn
// onto a display's screen surface in 32 and in 16 bits (5-6-5), the pictures being display
// images, and a last table sets memory, both surfaces and SDL2 side by side with the 16-bit /
// 32-bit ratio, with one more row of ours alone: the sprites drawn tinted.
//
// --kernels=wide|narrow runs the blit kernels in one form whatever the processor would choose,
// --quotients=division|reciprocal the weights of normal compositing in one way; the processor,
// the form and the way are printed under the tables.
//
// The comparisons are the nearest equivalents, not identical arithmetic: SDL blends
// unpremultiplied colours and rotates into a temporary surface, pixman composites premultiplied
// ones and samples every pixel of a rotated sprite's bounding box.

#include "bench/KernelOption.h"
#include "bench/OurFrame.h"
#include "bench/RatioReporter.h"
#include "framework/display/DDImage.h"
#include "platform/Clock.h"
#include "platform/MemoryDirectDraw.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace Vuro;
using namespace Vuro::Bench;

constexpr Layer kLayers[] = {Layer::Background, Layer::Sprites, Layer::Additive, Layer::Rotated,
                             Layer::Panels};
const char* const kLayerNames[] = {"Background", "Sprites", "Additive", "Rotated", "Panels"};

bool InLayer(const DrawOp& op, Layer layer) {
    return layer == Layer::All || op.mLayer == layer;
}

OurSide* gOurs = nullptr;

// The screen a layer draws onto: opaque black, as the frame's screen is opaque under every
// layer after the background (a layer drawn alone onto transparent pixels would measure the
// blending onto a transparent destination, which the frame never does).
Picture OpaqueScreen() {
    return Picture{kScreenWidth, kScreenHeight,
                   std::vector<uint32_t>(kScreenWidth * kScreenHeight, 0xFF000000u)};
}

void OurFrame(benchmark::State& state) {
    MeasureOurFrame(state, *gOurs);
}

// The sprites tinted, for the table of surfaces: the tinted blits' own paths.
const Color kSpriteTint(255, 200, 120, 230);

// Tints the images a context draws when tinted is set.
void TintImages(Graphics& g, bool tinted) {
    if (tinted) {
        g.SetColorizeImages(true);
        g.SetColor(kSpriteTint);
    }
}

// The frame's operations, or one layer's, through one context on an opaque image in memory.
void OurDirect(benchmark::State& state, Layer layer, bool tinted) {
    MemoryImage screen(&gOurs->mApp);
    screen.SetBits(OpaqueScreen().mPixels.data(), kScreenWidth, kScreenHeight);
    screen.SetTransAlphaFlags(false, false);
    Measure(state, gOurs->mScene.Pixels(layer), [layer, tinted, &screen] {
        Graphics g(&screen);
        TintImages(g, tinted);
        for (const DrawOp& op : gOurs->mScene.mOps) {
            if (InLayer(op, layer)) {
                DrawOurs(g, op, gOurs->mPictures, 0, 0);
            }
        }
    });
}

void OurPresent(benchmark::State& state) {
    Measure(state, double(kScreenWidth) * kScreenHeight, [] { gOurs->mApp.Redraw(nullptr); });
}

// The loop's time held still while passes are measured (the benchmark's own timer still runs),
// so each pass owes exactly the one update it is given. On the real clock a step held up past
// the frame time (another process on the processor) owed a second update, and the pass ran
// update after update instead of reaching its draw.
class StillClock : public Platform::Clock {
public:
    StillClock() { Platform::SetClock(this); }
    ~StillClock() override { Platform::SetClock(nullptr); }
    StillClock(const StillClock&) = delete;
    StillClock& operator=(const StillClock&) = delete;

    uint32_t TickMs() override { return mTick; }
    uint64_t CounterTicks() override { return mSystem.CounterTicks(); }
    uint64_t CounterFrequency() override { return mSystem.CounterFrequency(); }
    void SleepMs(uint32_t) override {}

private:
    Platform::SystemClock mSystem;
    uint32_t mTick = mSystem.TickMs();
};

// One pass of the main loop: the time of one fixed update is owed, then loop steps (pump,
// update, finish, pump, draw pass) until the draw pass has run. Animating, the pass draws the
// frame and presents it; otherwise nothing is dirty and the pass is the loop's own work.
void OurLoopPass(benchmark::State& state, bool animating) {
    BenchApp& app = gOurs->mApp;
    app.mAnimating = animating;
    StillClock clock;
    bool stalled = false;
    Measure(state, animating ? gOurs->mScene.Pixels(Layer::All) : 0, [&app, &stalled] {
        app.ResetFrameClock(false);
        app.mUpdateFTimeAcc = app.mFrameTime;
        const int passes = app.mDrawPasses;
        bool updated = false;
        // Five steps reach the draw pass; more would mean the loop slept or updated again.
        for (int step = 0; step < 8 && app.mDrawPasses == passes; ++step) {
            (void)app.RunLoopStep(&updated);
        }
        stalled = stalled || app.mDrawPasses == passes;
    });
    app.mAnimating = true;
    if (stalled) {
        state.SkipWithError("a loop pass did not reach the draw pass");
    }
}

// [SECTION] Ours on display surfaces

// A desktop of the given format for a display of its own; the display's surfaces are made by
// the memory device as in the game.
class BenchDesktop : public Platform::DirectDrawSystem, public Platform::DisplayHost {
public:
    explicit BenchDesktop(const Platform::PixelFormat& format) : mFormat(format) {}
    Platform::DDResult Create(std::shared_ptr<Platform::DirectDraw>& out) override {
        out = Platform::MakeMemoryDirectDraw(*this);
        return Platform::kDDOk;
    }
    Platform::PixelFormat DesktopFormat() override { return mFormat; }
    void DesktopSize(int& width, int& height) override {
        width = kScreenWidth;
        height = kScreenHeight;
    }
    Platform::DDResult MonitorFrequency(uint32_t& hertz) override {
        hertz = 60;
        return Platform::kDDOk;
    }
    uint32_t VideoMemoryBytes() override { return 64u << 20; }

private:
    Platform::PixelFormat mFormat;
};

// The same scene drawn onto a display's screen surface of 16 or 32 bits, with the pictures as
// display images (those without partial alpha in keyed surfaces, as the game's).
struct SurfaceSide {
    BenchDesktop mDesktop;
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<DDInterface> mDisplay;
    OurPictures mPictures;

    SurfaceSide(VuroAppBase& app, const FrameScene& scene, const Platform::PixelFormat& format)
        : mDesktop(format) {
        Platform::WindowParams params;
        params.width = kScreenWidth;
        params.height = kScreenHeight;
        mWindow = Platform::GetWindowSystem().CreateWindow(params);
        Platform::SetDirectDrawSystem(&mDesktop);
        mDisplay = std::make_unique<DDInterface>(&app);
        const int result = mDisplay->Init(mWindow.get(), true);
        Platform::SetDirectDrawSystem(nullptr);
        if (result != DDInterface::RESULT_OK) {
            std::fprintf(stderr, "display: %s\n", DDInterface::ResultToString(result).c_str());
        }
        for (const Picture& picture : scene.mPictures) {
            auto image = std::make_unique<DDImage>(mDisplay.get());
            image->SetBits(picture.mPixels.data(), picture.mWidth, picture.mHeight);
            (void)image->GetSurface();
            mPictures.push_back(std::move(image));
        }
    }
    ~SurfaceSide() {
        mPictures.clear();
        mDisplay.reset();
    }
    SurfaceSide(const SurfaceSide&) = delete;
    SurfaceSide& operator=(const SurfaceSide&) = delete;
};

SurfaceSide* gSurface16 = nullptr;
SurfaceSide* gSurface32 = nullptr;

void SurfaceCase(benchmark::State& state, SurfaceSide* side, Layer layer, bool tinted) {
    DDImage* screen = side->mDisplay->GetScreenImage();
    Measure(state, gOurs->mScene.Pixels(layer), [side, screen, layer, tinted] {
        (void)screen->LockSurface();
        Graphics g(screen);
        g.SetFastStretch(true);
        TintImages(g, tinted);
        for (const DrawOp& op : gOurs->mScene.mOps) {
            if (InLayer(op, layer)) {
                DrawOurs(g, op, side->mPictures, 0, 0);
            }
        }
        (void)screen->UnlockSurface();
    });
}

void SurfacePresent(benchmark::State& state, SurfaceSide* side) {
    Measure(state, double(kScreenWidth) * kScreenHeight,
            [side] { (void)side->mDisplay->Redraw(nullptr); });
}

// [SECTION] SDL2

class SdlFrame {
public:
    explicit SdlFrame(const FrameScene& scene) : mScene(scene), mDest(OpaqueScreen()) {
        mRenderer = SDL_CreateSoftwareRenderer(mDest.mSurface);
        // One surface per picture and blend mode: changing a surface's mode drops SDL's cached
        // blitter.
        for (const Picture& picture : scene.mPictures) {
            mBlend.push_back(std::make_unique<SdlPicture>(picture));
            mAdd.push_back(std::make_unique<SdlPicture>(picture));
            SDL_SetSurfaceBlendMode(mBlend.back()->mSurface, SDL_BLENDMODE_BLEND);
            SDL_SetSurfaceBlendMode(mAdd.back()->mSurface, SDL_BLENDMODE_ADD);
        }
        SDL_SetSurfaceBlendMode(mBlend[kBackground]->mSurface, SDL_BLENDMODE_NONE);
        for (const DrawOp& op : scene.mOps) {
            SDL_Texture* texture = nullptr;
            if (op.mLayer == Layer::Rotated) {
                texture = SDL_CreateTextureFromSurface(mRenderer, mBlend[op.mPicture]->mSurface);
                SDL_SetTextureBlendMode(texture, op.mMode == kDrawModeAdditive
                                                     ? SDL_BLENDMODE_ADD
                                                     : SDL_BLENDMODE_BLEND);
                SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
            }
            mTextures.push_back(texture);
        }
    }
    ~SdlFrame() {
        for (SDL_Texture* texture : mTextures) {
            if (texture != nullptr) {
                SDL_DestroyTexture(texture);
            }
        }
        SDL_DestroyRenderer(mRenderer);
    }
    SdlFrame(const SdlFrame&) = delete;
    SdlFrame& operator=(const SdlFrame&) = delete;

    void Draw(Layer layer) {
        for (size_t i = 0; i < mScene.mOps.size(); ++i) {
            const DrawOp& op = mScene.mOps[i];
            if (InLayer(op, layer)) {
                Draw(op, mTextures[i]);
            }
        }
        Flush();
    }

private:
    void Draw(const DrawOp& op, SDL_Texture* texture) {
        SDL_Rect rect{op.mRect.mX, op.mRect.mY, op.mRect.mWidth, op.mRect.mHeight};
        if (texture != nullptr) {
            const double degrees = -op.mAngle * 180.0 / std::numbers::pi;
            SDL_RenderCopyEx(mRenderer, texture, nullptr, &rect, degrees, nullptr, SDL_FLIP_NONE);
            mPending = true;
        } else if (op.mPicture < 0) {
            // SDL_FillRect only overwrites: a blended fill is the renderer's.
            SDL_SetRenderDrawBlendMode(mRenderer, SDL_BLENDMODE_BLEND);
            SDL_SetRenderDrawColor(mRenderer, uint8_t(op.mColor.mRed), uint8_t(op.mColor.mGreen),
                                   uint8_t(op.mColor.mBlue), uint8_t(op.mColor.mAlpha));
            SDL_RenderFillRect(mRenderer, &rect);
            mPending = true;
        } else {
            // The renderer's queued work lies beneath this blit.
            Flush();
            auto& surfaces = op.mMode == kDrawModeAdditive ? mAdd : mBlend;
            SDL_BlitSurface(surfaces[op.mPicture]->mSurface, nullptr, mDest.mSurface, &rect);
        }
    }
    void Flush() {
        if (mPending) {
            SDL_RenderFlush(mRenderer);
            mPending = false;
        }
    }

    const FrameScene& mScene;
    SdlPicture mDest;
    SDL_Renderer* mRenderer = nullptr;
    std::vector<std::unique_ptr<SdlPicture>> mBlend;
    std::vector<std::unique_ptr<SdlPicture>> mAdd;
    std::vector<SDL_Texture*> mTextures; // per operation; only rotated ones have one
    bool mPending = false;               // the renderer holds undrawn work
};

void SdlCase(benchmark::State& state, Layer layer) {
    SdlFrame frame(gOurs->mScene);
    Measure(state, gOurs->mScene.Pixels(layer), [&frame, layer] { frame.Draw(layer); });
}

// [SECTION] pixman

// The operations as pixman composites, made once: sources premultiplied, a solid source per
// fill, and per rotated sprite an image over the picture's pixels that maps screen pixels back
// into the picture, composited over the sprite's bounding box.
class PixmanFrame {
public:
    explicit PixmanFrame(const FrameScene& scene) : mDest(OpaqueScreen()) {
        for (const Picture& picture : scene.mPictures) {
            mPictures.push_back(std::make_unique<PixmanPicture>(picture, true));
        }
        for (const DrawOp& op : scene.mOps) {
            mComposites.push_back(Prepare(op, scene));
        }
    }
    ~PixmanFrame() {
        for (pixman_image_t* image : mOwned) {
            pixman_image_unref(image);
        }
    }
    PixmanFrame(const PixmanFrame&) = delete;
    PixmanFrame& operator=(const PixmanFrame&) = delete;

    void Draw(Layer layer) {
        for (const Composite& c : mComposites) {
            if (layer == Layer::All || c.mLayer == layer) {
                pixman_image_composite32(c.mOp, c.mSource, nullptr, mDest.mImage, c.mSourceX,
                                         c.mSourceY, 0, 0, c.mArea.mX, c.mArea.mY, c.mArea.mWidth,
                                         c.mArea.mHeight);
            }
        }
    }

private:
    struct Composite {
        Layer mLayer;
        pixman_op_t mOp;
        pixman_image_t* mSource;
        int mSourceX;
        int mSourceY;
        Rect mArea; // on the screen
    };

    Composite Prepare(const DrawOp& op, const FrameScene& scene) {
        const Rect& r = op.mRect;
        const pixman_op_t blend = op.mMode == kDrawModeAdditive ? PIXMAN_OP_ADD : PIXMAN_OP_OVER;
        if (op.mPicture < 0) {
            // pixman's colours are premultiplied too.
            const Color& c = op.mColor;
            const auto times = [&c](int channel) { return uint8_t(channel * c.mAlpha / 255); };
            pixman_image_t* solid =
                SolidFill(times(c.mRed), times(c.mGreen), times(c.mBlue), uint8_t(c.mAlpha), false);
            mOwned.push_back(solid);
            return {op.mLayer, PIXMAN_OP_OVER, solid, 0, 0, r};
        }
        PixmanPicture& picture = *mPictures[op.mPicture];
        if (op.mLayer == Layer::Background) {
            return {op.mLayer, PIXMAN_OP_SRC, picture.mImage, 0, 0, r};
        }
        if (op.mLayer != Layer::Rotated) {
            return {op.mLayer, blend, picture.mImage, 0, 0, r};
        }
        const Picture& source = scene.mPictures[op.mPicture];
        pixman_image_t* turned =
            pixman_image_create_bits(PIXMAN_a8r8g8b8, source.mWidth, source.mHeight,
                                     picture.mPixels.data(), source.mWidth * 4);
        mOwned.push_back(turned);
        // Screen to picture: back to the picture's centre, turned back by the angle.
        const double cx = source.mWidth / 2.0;
        const double cy = source.mHeight / 2.0;
        pixman_transform_t t;
        pixman_transform_init_identity(&t);
        pixman_transform_translate(&t, nullptr, pixman_double_to_fixed(-(r.mX + cx)),
                                   pixman_double_to_fixed(-(r.mY + cy)));
        pixman_transform_rotate(&t, nullptr, pixman_double_to_fixed(std::cos(op.mAngle)),
                                pixman_double_to_fixed(std::sin(op.mAngle)));
        pixman_transform_translate(&t, nullptr, pixman_double_to_fixed(cx),
                                   pixman_double_to_fixed(cy));
        pixman_image_set_transform(turned, &t);
        pixman_image_set_filter(turned, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        // The bounding box of the turned sprite.
        const double extent = (std::abs(std::cos(op.mAngle)) + std::abs(std::sin(op.mAngle))) * cx;
        const int x0 = int(std::floor(r.mX + cx - extent));
        const int y0 = int(std::floor(r.mY + cy - extent));
        const int size = int(std::ceil(2 * extent)) + 1;
        return {op.mLayer, blend, turned, x0, y0, Rect(x0, y0, size, size)};
    }

    PixmanPicture mDest;
    std::vector<std::unique_ptr<PixmanPicture>> mPictures;
    std::vector<Composite> mComposites; // per operation, in order
    std::vector<pixman_image_t*> mOwned;
};

void PixmanCase(benchmark::State& state, Layer layer) {
    PixmanFrame frame(gOurs->mScene);
    Measure(state, gOurs->mScene.Pixels(layer), [&frame, layer] { frame.Draw(layer); });
}

// [SECTION] Summary

void PrintOursAlone(const RatioReporter& reporter) {
    const auto micros = [&reporter](const std::string& name) {
        const double rate = reporter.Value(name, "frames/s");
        return rate > 0 ? 1e6 / rate : 0;
    };
    std::printf("\n%-40s %10s %10s\n", "ours alone", "us/frame", "frames/s");
    const struct {
        const char* label;
        const char* name;
    } rows[] = {{"frame through the widget tree", "Ours/Frame"},
                {"same operations in memory, no tree", "Ours/FrameDirect"},
                {"present to the window", "Ours/Present"},
                {"present, 32-bit screen (copied)", "Surface32/Present"},
                {"present, 16-bit screen (widened to 32)", "Surface16/Present"},
                {"loop pass: update, draw, present", "Ours/LoopPass"},
                {"loop pass with nothing dirty", "Ours/LoopPassIdle"}};
    for (const auto& row : rows) {
        std::printf("%-40s %10s %10s\n", row.label,
                    RatioReporter::Format(micros(row.name), 1).c_str(),
                    RatioReporter::Format(reporter.Value(row.name, "frames/s"), 1).c_str());
    }
}

// Ours in memory beside ours on 32- and 16-bit surfaces: Mpix/s of each and the ratios.
void PrintSurfaceTable(const RatioReporter& reporter, const std::vector<std::string>& cases) {
    std::printf("\n%-22s %10s %10s %10s %10s %10s %10s\n", "case (Mpix/s)", "memory", "surf32",
                "surf16", "SDL2", "16/32", "16/SDL2");
    for (const std::string& name : cases) {
        const double memory = reporter.Value("Ours/" + name, "Mpix/s");
        const double wide = reporter.Value("Surface32/" + name, "Mpix/s");
        const double narrow = reporter.Value("Surface16/" + name, "Mpix/s");
        const double sdl = reporter.Value("SDL2/" + name, "Mpix/s");
        std::printf("%-22s %10s %10s %10s %10s %10s %10s\n", name.c_str(),
                    RatioReporter::Format(memory, 1).c_str(),
                    RatioReporter::Format(wide, 1).c_str(),
                    RatioReporter::Format(narrow, 1).c_str(), RatioReporter::Format(sdl, 1).c_str(),
                    RatioReporter::Format(wide > 0 ? narrow / wide : 0, 2).c_str(),
                    RatioReporter::Format(sdl > 0 ? narrow / sdl : 0, 2).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!TakeKernelOption(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    UseDummyDriversByDefault();
    OurSide ours;
    gOurs = &ours;
    SurfaceSide surface16(ours.mApp, ours.mScene, Platform::kFormat565);
    SurfaceSide surface32(ours.mApp, ours.mScene, Platform::kFormat888);
    gSurface16 = &surface16;
    gSurface32 = &surface32;

    std::vector<std::string> cases = {"Frame"};
    benchmark::RegisterBenchmark("Ours/Frame", OurFrame);
    benchmark::RegisterBenchmark("SDL2/Frame", SdlCase, Layer::All);
    benchmark::RegisterBenchmark("pixman/Frame", PixmanCase, Layer::All);
    benchmark::RegisterBenchmark("Surface32/Frame", SurfaceCase, gSurface32, Layer::All, false);
    benchmark::RegisterBenchmark("Surface16/Frame", SurfaceCase, gSurface16, Layer::All, false);
    for (size_t i = 0; i < std::size(kLayers); ++i) {
        const std::string name = kLayerNames[i];
        cases.push_back(name);
        benchmark::RegisterBenchmark(("Ours/" + name).c_str(), OurDirect, kLayers[i], false);
        benchmark::RegisterBenchmark(("SDL2/" + name).c_str(), SdlCase, kLayers[i]);
        benchmark::RegisterBenchmark(("pixman/" + name).c_str(), PixmanCase, kLayers[i]);
        benchmark::RegisterBenchmark(("Surface32/" + name).c_str(), SurfaceCase, gSurface32,
                                     kLayers[i], false);
        benchmark::RegisterBenchmark(("Surface16/" + name).c_str(), SurfaceCase, gSurface16,
                                     kLayers[i], false);
    }
    // The sprites tinted: ours only (memory and both surfaces), for the table of surfaces.
    benchmark::RegisterBenchmark("Ours/SpritesTinted", OurDirect, Layer::Sprites, true);
    benchmark::RegisterBenchmark("Surface32/SpritesTinted", SurfaceCase, gSurface32, Layer::Sprites,
                                 true);
    benchmark::RegisterBenchmark("Surface16/SpritesTinted", SurfaceCase, gSurface16, Layer::Sprites,
                                 true);
    benchmark::RegisterBenchmark("Ours/FrameDirect", OurDirect, Layer::All, false);
    benchmark::RegisterBenchmark("Ours/Present", OurPresent);
    benchmark::RegisterBenchmark("Surface32/Present", SurfacePresent, gSurface32);
    benchmark::RegisterBenchmark("Surface16/Present", SurfacePresent, gSurface16);
    benchmark::RegisterBenchmark("Ours/LoopPass", OurLoopPass, true);
    benchmark::RegisterBenchmark("Ours/LoopPassIdle", OurLoopPass, false);

    RegisterMemcpy(kScreenWidth, kScreenHeight);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable("case (Mpix/s)", cases, "Mpix/s");
    reporter.PrintTable("case (frames/s)", {"Frame"}, "frames/s");
    std::vector<std::string> surfaceCases = cases;
    surfaceCases.push_back("SpritesTinted");
    PrintSurfaceTable(reporter, surfaceCases);
    PrintOursAlone(reporter);
    PrintMemcpy(reporter);
    PrintKernelLine();
    benchmark::Shutdown();
    gSurface16 = nullptr;
    gSurface32 = nullptr;
    gOurs = nullptr;
    return 0;
}
