#pragma once
// The 3-D capability test: whether this machine's 3-D device can be trusted. It checks the
// video memory and the card (lists of refused and allowed cards, "vhwb.dat" and "vhw.dat" in
// the working folder, and a built-in rule), makes a small device on a 100 x 100 off-screen
// surface, draws the five rendering tests (alpha, additive, alpha-additive, alpha-modulated
// blending and clipping), reads the pixels back and judges them.
//
// What a caller can rely on:
// - TestD3D never throws. Afterwards mFailureReason is empty when the card passed, mWarning is
//   empty when there is nothing to warn about, and mFreshResult says the outcome was found now
//   (not read back from the settings). mOverrulesStored3D then says whether the outcome
//   overrules a 3-D choice stored before (a failure, or a fresh outcome with a warning): 3-D is
//   switched off, and the stored choice is to be forgotten.
// - With the application's skip setting (mSkip3DTest) nothing is tested or read back: the
//   empty outcome only passes through the demo.
// - The outcome is kept in the settings under the application's key, subkey "Test3D"
//   ("Version" 2, "MinVidMemory", "RecVidMemory", "DisplayGUID", "FailureReason", "Warning"),
//   and read back on later starts while the card, the thresholds and the version are the
//   same. The values are the store's own, outside any demo; the outcome itself passes through
//   the demo so that playback sees what the recording saw, and playback neither reads nor
//   writes the stored values.
// - A failure while a failed test ends its scene does not throw out of the handler; the video
//   memory sum is made in 64 bits, so memory past 4 GB does not wrap it.

#include "framework/display/D3DTestImage.h"
#include "platform/Direct3D.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Vuro {

namespace Platform {
class Window;
}

class D3DTester {
public:
    struct TestException {
        std::string mMessage;
    };

    D3DTester() = default;
    virtual ~D3DTester();
    D3DTester(const D3DTester&) = delete;
    D3DTester& operator=(const D3DTester&) = delete;

    void SetVideoMemoryLimits(uint32_t minimumMb, uint32_t recommendedMb);
    // Runs the test or reuses the stored outcome; answers the fresh-result flag (as the demo
    // passes it).
    bool TestD3D(Platform::Window* window, std::shared_ptr<Platform::DirectDraw> directDraw);

    // Throws TestException "DXError - <operation>: <hex code>" when result is a failure.
    static void CheckDXError(Platform::DDResult result, const char* operation);
    bool Fail(const std::string& reason);
    bool Warn(const std::string& warning);
    // Whether the card of this description is to be trusted (see the file's comment).
    bool IsRecommendedCard(const std::string& description);
    // A trimmed, non-empty line of the file found in the description, ignoring case.
    static bool FileContainsCard(const std::string& path, const std::string& description);

    // [The rendering tests: D3DTesterBlendTests.cpp]
    bool RunBlendTests();
    bool TestAlphaBlend();
    bool TestAdditiveBlend();
    bool TestAlphaAddBlend();
    bool TestAlphaModulatedBlend();
    bool TestClipping();
    // The render surface's pixels into the test image as opaque 0xFFRRGGBB.
    void CopyRenderedImage();

    std::shared_ptr<Platform::DirectDraw> mDirectDraw;
    std::shared_ptr<Platform::Surface> mRenderSurface;
    std::shared_ptr<Platform::Texture3D> mTextureSurface1;
    std::shared_ptr<Platform::Texture3D> mTextureSurface2;
    std::shared_ptr<Platform::Device3D> mDevice;
    bool mHasKey = false; // the Test3D key could be opened
    uint8_t mDisplayGuid[16] = {};
    D3DTestImage mTestImage;
    std::string mFailureReason;
    std::string mWarning;
    uint32_t mMinVidMemory = 0; // megabytes
    uint32_t mRecVidMemory = 0;
    bool mUseRegistry = true;
    bool mStoreResults = false;
    bool mFreshResult = false;
    bool mOverrulesStored3D = false;
    int mDriverYear = 0;

private:
    // The test itself, or its stored outcome; the settings written as the outcome asks.
    void RunOrReadBack(Platform::Window* window, std::shared_ptr<Platform::DirectDraw> directDraw);
    bool Setup(Platform::Window* window, std::shared_ptr<Platform::DirectDraw> directDraw);
    bool ReadSettings();
    void WriteSettings();
    void Cleanup();
    // The frame every rendering test shares: scene, blend states, the drawing, read-back.
    // Answers false (with the failure reason set) when the device failed.
    template <typename Drawing>
    bool RenderTest(uint32_t srcBlend, const char* srcText, uint32_t destBlend,
                    const char* destText, Drawing drawing);
    bool JudgeBlend(uint32_t expected, const char* failure, const char* warning);
};

} // namespace Vuro
