// Speed of the software blitters on a 640 x 480 scene, in destination megapixels per second,
// against SDL2's surface blits and software renderer and against pixman on the same pixels.
// After the run a table gives ours / theirs for every case (above 1: ours is faster).
//
// The comparisons are the nearest equivalents, not identical arithmetic: SDL blends
// unpremultiplied colours, pixman premultiplied ones, and neither has the run-length tables.

#include "bench/BenchPictures.h"
#include "bench/KernelOption.h"
#include "bench/RatioReporter.h"

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace Vuro;
using namespace Vuro::Bench;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kAngle = 0.3;

// [SECTION] Source pictures

// 0xAARRGGBB pixels of a picture in one of three styles.
enum class Style { Opaque, Sprite, Keyed };

std::vector<uint32_t> MakePixels(int width, int height, Style style) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = (uint32_t(x * 255 / width) << 16) |
                                    (uint32_t(y * 255 / height) << 8) | uint32_t((x ^ y) & 0xFF);
            uint32_t alpha = 255;
            const int band = (x + y / 2) % 64;
            if (style == Style::Sprite) {
                // A quarter transparent, a quarter soft edge, half opaque, in runs as sprites
                // have them.
                alpha = band < 16 ? 0 : (band < 32 ? uint32_t(1 + (x * 7 + y * 3) % 254) : 255);
            } else if (style == Style::Keyed) {
                alpha = band < 16 ? 0 : 255;
            }
            pixels[static_cast<size_t>(y) * width + x] = (alpha << 24) | colour;
        }
    }
    return pixels;
}

Picture MakePicture(int width, int height, Style style) {
    return Picture{width, height, MakePixels(width, height, style)};
}

// [SECTION] Cases

constexpr double kScenePixels = double(kWidth) * kHeight;

void Measure(benchmark::State& state, const std::function<void()>& draw) {
    for (auto _ : state) {
        draw();
        benchmark::ClobberMemory();
    }
    state.counters["Mpix/s"] =
        benchmark::Counter(kScenePixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

struct Scene {
    VuroAppBase mApp;
    Picture mOpaque = MakePicture(kWidth, kHeight, Style::Opaque);
    Picture mSprite = MakePicture(kWidth, kHeight, Style::Sprite);
    Picture mKeyed = MakePicture(kWidth, kHeight, Style::Keyed);
    Picture mSmall = MakePicture(kWidth / 2, kHeight / 2, Style::Sprite);
    Picture mLarge = MakePicture(kWidth * 2, kHeight * 2, Style::Sprite);
    Picture mOpaqueDest = MakePicture(kWidth, kHeight, Style::Opaque);
    Picture mClearDest{kWidth, kHeight, std::vector<uint32_t>(size_t(kWidth) * kHeight, 0)};
};

Scene* gScene = nullptr;

// Our destination: opaque (no alpha flags) or transparent with alpha.
std::unique_ptr<MemoryImage> OurDest(bool alpha) {
    if (alpha) {
        auto image = std::make_unique<MemoryImage>(&gScene->mApp);
        image->Create(kWidth, kHeight);
        image->GetBits();
        return image;
    }
    return MakeOurs(gScene->mApp, gScene->mOpaqueDest);
}

const Rect kScreen(0, 0, kWidth, kHeight);

// One comparison: ours, and SDL's and pixman's equivalents when they have one.
struct Case {
    std::string mName;
    std::function<void(benchmark::State&)> mOurs;
    std::function<void(benchmark::State&)> mSdl;
    std::function<void(benchmark::State&)> mPixman;
};

// Ours: Blt of a whole picture.
std::function<void(benchmark::State&)> OurBlt(const Picture* picture, bool alphaDest, Color color,
                                              DrawMode mode) {
    return [=](benchmark::State& state) {
        auto dest = OurDest(alphaDest);
        auto src = MakeOurs(gScene->mApp, *picture);
        Measure(state, [&] { dest->Blt(src.get(), 0, 0, kScreen, color, mode); });
    };
}

std::function<void(benchmark::State&)> SdlBlt(const Picture* picture, bool alphaDest,
                                              SDL_BlendMode blend, Color color) {
    return [=](benchmark::State& state) {
        SdlPicture dest(alphaDest ? gScene->mClearDest : gScene->mOpaqueDest);
        SdlPicture src(*picture);
        SDL_SetSurfaceBlendMode(src.mSurface, blend);
        SDL_SetSurfaceColorMod(src.mSurface, uint8_t(color.mRed), uint8_t(color.mGreen),
                               uint8_t(color.mBlue));
        SDL_SetSurfaceAlphaMod(src.mSurface, uint8_t(color.mAlpha));
        Measure(state, [&] { SDL_BlitSurface(src.mSurface, nullptr, dest.mSurface, nullptr); });
    };
}

std::function<void(benchmark::State&)> PixmanBlt(const Picture* picture, bool alphaDest,
                                                 pixman_op_t op, Color color) {
    return [=](benchmark::State& state) {
        PixmanPicture dest(alphaDest ? gScene->mClearDest : gScene->mOpaqueDest);
        PixmanPicture src(*picture);
        pixman_image_t* mask = color == Color::White
                                   ? nullptr
                                   : SolidFill(uint8_t(color.mRed), uint8_t(color.mGreen),
                                               uint8_t(color.mBlue), uint8_t(color.mAlpha), true);
        Measure(state, [&] {
            pixman_image_composite32(op, src.mImage, mask, dest.mImage, 0, 0, 0, 0, 0, 0, kWidth,
                                     kHeight);
        });
        if (mask != nullptr) {
            pixman_image_unref(mask);
        }
    };
}

std::function<void(benchmark::State&)> OurFill(Color color) {
    return [=](benchmark::State& state) {
        auto dest = OurDest(false);
        Measure(state, [&] { dest->FillRect(kScreen, color, kDrawModeNormal); });
    };
}

// SDL_FillRect overwrites; a blended fill is the software renderer's.
std::function<void(benchmark::State&)> SdlFill(Color color) {
    return [=](benchmark::State& state) {
        SdlPicture dest(gScene->mOpaqueDest);
        if (color.mAlpha == 255) {
            const uint32_t packed = color.ToInt();
            Measure(state, [&] { SDL_FillRect(dest.mSurface, nullptr, packed); });
            return;
        }
        SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(dest.mSurface);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(renderer, uint8_t(color.mRed), uint8_t(color.mGreen),
                               uint8_t(color.mBlue), uint8_t(color.mAlpha));
        Measure(state, [&] {
            SDL_RenderFillRect(renderer, nullptr);
            SDL_RenderFlush(renderer);
        });
        SDL_DestroyRenderer(renderer);
    };
}

std::function<void(benchmark::State&)> PixmanFill(Color color) {
    return [=](benchmark::State& state) {
        PixmanPicture dest(gScene->mOpaqueDest);
        pixman_image_t* solid = SolidFill(uint8_t(color.mRed), uint8_t(color.mGreen),
                                          uint8_t(color.mBlue), uint8_t(color.mAlpha), false);
        Measure(state, [&] {
            pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dest.mImage, 0, 0, 0, 0, 0, 0,
                                     kWidth, kHeight);
        });
        pixman_image_unref(solid);
    };
}

std::function<void(benchmark::State&)> OurStretch(const Picture* picture, bool fast) {
    return [=](benchmark::State& state) {
        auto dest = OurDest(false);
        auto src = MakeOurs(gScene->mApp, *picture);
        const Rect from(0, 0, picture->mWidth, picture->mHeight);
        Measure(state, [&] {
            dest->StretchBlt(src.get(), kScreen, from, kScreen, Color::White, kDrawModeNormal,
                             fast);
        });
    };
}

std::function<void(benchmark::State&)> SdlStretch(const Picture* picture) {
    return [=](benchmark::State& state) {
        SdlPicture dest(gScene->mOpaqueDest);
        SdlPicture src(*picture);
        SDL_SetSurfaceBlendMode(src.mSurface, SDL_BLENDMODE_BLEND);
        SDL_Rect to{0, 0, kWidth, kHeight};
        Measure(state, [&] { SDL_BlitScaled(src.mSurface, nullptr, dest.mSurface, &to); });
    };
}

// Nearest, bilinear for magnification, a box filter for minification.
std::function<void(benchmark::State&)> PixmanStretch(const Picture* picture, bool fast) {
    return [=](benchmark::State& state) {
        PixmanPicture dest(gScene->mOpaqueDest);
        PixmanPicture src(*picture);
        const double scaleX = double(picture->mWidth) / kWidth;
        const double scaleY = double(picture->mHeight) / kHeight;
        pixman_transform_t transform;
        pixman_transform_init_scale(&transform, pixman_double_to_fixed(scaleX),
                                    pixman_double_to_fixed(scaleY));
        pixman_image_set_transform(src.mImage, &transform);
        std::vector<pixman_fixed_t> params;
        if (fast) {
            pixman_image_set_filter(src.mImage, PIXMAN_FILTER_NEAREST, nullptr, 0);
        } else if (scaleX < 1) {
            pixman_image_set_filter(src.mImage, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        } else {
            int count = 0;
            pixman_fixed_t* values = pixman_filter_create_separable_convolution(
                &count, pixman_double_to_fixed(scaleX), pixman_double_to_fixed(scaleY),
                PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 1, 1);
            pixman_image_set_filter(src.mImage, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, values, count);
            free(values);
        }
        Measure(state, [&] {
            pixman_image_composite32(PIXMAN_OP_OVER, src.mImage, nullptr, dest.mImage, 0, 0, 0, 0,
                                     0, 0, kWidth, kHeight);
        });
    };
}

std::function<void(benchmark::State&)> OurRotate() {
    return [](benchmark::State& state) {
        auto dest = OurDest(false);
        auto src = MakeOurs(gScene->mApp, gScene->mSprite);
        Measure(state, [&] {
            dest->BltRotated(src.get(), 0, 0, kScreen, kScreen, Color::White, kDrawModeNormal,
                             kAngle, kWidth / 2.0f, kHeight / 2.0f);
        });
    };
}

// The software renderer's rotated copy (SDL_RenderCopyEx), which rotates into a temporary
// surface and blends that.
std::function<void(benchmark::State&)> SdlRotate() {
    return [](benchmark::State& state) {
        SdlPicture dest(gScene->mOpaqueDest);
        SdlPicture src(gScene->mSprite);
        SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(dest.mSurface);
        SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, src.mSurface);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
        const double degrees = -kAngle * 180.0 / std::numbers::pi;
        Measure(state, [&] {
            SDL_RenderCopyEx(renderer, texture, nullptr, nullptr, degrees, nullptr, SDL_FLIP_NONE);
            SDL_RenderFlush(renderer);
        });
        SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
    };
}

std::function<void(benchmark::State&)> PixmanRotate() {
    return [](benchmark::State& state) {
        PixmanPicture dest(gScene->mOpaqueDest);
        PixmanPicture src(gScene->mSprite);
        // Destination to source: about the centre by the angle.
        pixman_transform_t transform;
        pixman_transform_init_identity(&transform);
        pixman_transform_translate(&transform, nullptr, pixman_int_to_fixed(-kWidth / 2),
                                   pixman_int_to_fixed(-kHeight / 2));
        pixman_transform_rotate(&transform, nullptr, pixman_double_to_fixed(std::cos(kAngle)),
                                pixman_double_to_fixed(std::sin(kAngle)));
        pixman_transform_translate(&transform, nullptr, pixman_int_to_fixed(kWidth / 2),
                                   pixman_int_to_fixed(kHeight / 2));
        pixman_image_set_transform(src.mImage, &transform);
        pixman_image_set_filter(src.mImage, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        Measure(state, [&] {
            pixman_image_composite32(PIXMAN_OP_OVER, src.mImage, nullptr, dest.mImage, 0, 0, 0, 0,
                                     0, 0, kWidth, kHeight);
        });
    };
}

std::vector<Case> MakeCases() {
    Scene& s = *gScene;
    const Color tint(255, 200, 120, 200);
    const Color white = Color::White;
    const Color half(40, 120, 220, 128);
    return {
        {"RunLengthOpaqueCopy", OurBlt(&s.mOpaque, false, white, kDrawModeNormal),
         SdlBlt(&s.mOpaque, false, SDL_BLENDMODE_BLEND, white),
         PixmanBlt(&s.mOpaque, false, PIXMAN_OP_OVER, white)},
        {"RunLengthMixedAlpha", OurBlt(&s.mSprite, false, white, kDrawModeNormal),
         SdlBlt(&s.mSprite, false, SDL_BLENDMODE_BLEND, white),
         PixmanBlt(&s.mSprite, false, PIXMAN_OP_OVER, white)},
        {"AlphaDestination", OurBlt(&s.mSprite, true, white, kDrawModeNormal),
         SdlBlt(&s.mSprite, true, SDL_BLENDMODE_BLEND, white),
         PixmanBlt(&s.mSprite, true, PIXMAN_OP_OVER, white)},
        {"Tinted", OurBlt(&s.mSprite, false, tint, kDrawModeNormal),
         SdlBlt(&s.mSprite, false, SDL_BLENDMODE_BLEND, tint),
         PixmanBlt(&s.mSprite, false, PIXMAN_OP_OVER, tint)},
        {"AdditiveWhite", OurBlt(&s.mKeyed, false, white, kDrawModeAdditive),
         SdlBlt(&s.mKeyed, false, SDL_BLENDMODE_ADD, white),
         PixmanBlt(&s.mKeyed, false, PIXMAN_OP_ADD, white)},
        {"AdditiveWhiteAlpha", OurBlt(&s.mSprite, false, white, kDrawModeAdditive),
         SdlBlt(&s.mSprite, false, SDL_BLENDMODE_ADD, white),
         PixmanBlt(&s.mSprite, false, PIXMAN_OP_ADD, white)},
        {"AdditiveTinted", OurBlt(&s.mKeyed, false, tint, kDrawModeAdditive),
         SdlBlt(&s.mKeyed, false, SDL_BLENDMODE_ADD, tint),
         PixmanBlt(&s.mKeyed, false, PIXMAN_OP_ADD, tint)},
        {"AdditiveTintedAlpha", OurBlt(&s.mSprite, false, tint, kDrawModeAdditive),
         SdlBlt(&s.mSprite, false, SDL_BLENDMODE_ADD, tint),
         PixmanBlt(&s.mSprite, false, PIXMAN_OP_ADD, tint)},
        {"FillRectOpaque", OurFill(Color(40, 120, 220)), SdlFill(Color(40, 120, 220)),
         PixmanFill(Color(40, 120, 220))},
        {"FillRectTranslucent", OurFill(half), SdlFill(half), PixmanFill(half)},
        {"StretchNearestUp", OurStretch(&s.mSmall, true), SdlStretch(&s.mSmall),
         PixmanStretch(&s.mSmall, true)},
        {"StretchNearestDown", OurStretch(&s.mLarge, true), SdlStretch(&s.mLarge),
         PixmanStretch(&s.mLarge, true)},
        {"StretchAreaUp", OurStretch(&s.mSmall, false), nullptr, PixmanStretch(&s.mSmall, false)},
        {"StretchAreaDown", OurStretch(&s.mLarge, false), nullptr, PixmanStretch(&s.mLarge, false)},
        {"BltRotated", OurRotate(), SdlRotate(), PixmanRotate()},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (!TakeKernelOption(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    Scene scene;
    gScene = &scene;
    const std::vector<Case> cases = MakeCases();
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(("Ours/" + c.mName).c_str(), c.mOurs);
        if (c.mSdl) {
            benchmark::RegisterBenchmark(("SDL2/" + c.mName).c_str(), c.mSdl);
        }
        if (c.mPixman) {
            benchmark::RegisterBenchmark(("pixman/" + c.mName).c_str(), c.mPixman);
        }
    }
    RegisterMemcpy(kWidth, kHeight);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<std::string> names;
    for (const Case& c : cases) {
        names.push_back(c.mName);
    }
    reporter.PrintTable("case (Mpix/s)", names, "Mpix/s");
    PrintMemcpy(reporter);
    PrintKernelLine();
    benchmark::Shutdown();
    gScene = nullptr;
    return 0;
}
