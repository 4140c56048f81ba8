// The five rendering tests of the capability test: each draws a 64 x 64 pattern with one
// blend mode through texture surface 1, reads the rendered pixels back and judges them.

#include "framework/display/D3DTester.h"

namespace Vuro {

using namespace Platform;

namespace {

// The pattern filled with one colour and drawn in white, then filled with another and drawn in
// the given colour: the two layers each blend test judges.
void DrawTwoLayers(Device3D& device, D3DTestImage& pattern, Texture3D& texture, uint32_t under,
                   uint32_t over, uint32_t overColor) {
    pattern.FillRect(0, 0, 64, 64, under);
    pattern.DrawTiled(device, texture, 0, 0, 0xFFFFFFFF);
    pattern.FillRect(0, 0, 64, 64, over);
    pattern.DrawTiled(device, texture, 0, 0, overColor);
}

} // namespace

bool D3DTester::RunBlendTests() {
    return TestAlphaBlend() && TestAdditiveBlend() && TestAlphaAddBlend() &&
           TestAlphaModulatedBlend() && TestClipping();
}

template <typename Drawing>
bool D3DTester::RenderTest(uint32_t srcBlend, const char* srcText, uint32_t destBlend,
                           const char* destText, Drawing drawing) {
    try {
        CheckDXError(mDevice->BeginScene(), "BeginScene");
        CheckDXError(mDevice->Clear(0xFF000000), "Clear");
        CheckDXError(mDevice->SetRenderState(RenderState::AlphaBlendEnable, 1),
                     "D3DRENDERSTATE_ALPHABLENDENABLE, TRUE");
        CheckDXError(mDevice->SetRenderState(RenderState::SrcBlend, srcBlend), srcText);
        CheckDXError(mDevice->SetRenderState(RenderState::DestBlend, destBlend), destText);
        CheckDXError(mDevice->SetRenderState(RenderState::CullMode, kCullNone),
                     "D3DRENDERSTATE_CULLMODE, D3DCULL_NONE");
        D3DTestImage pattern(64, 64);
        drawing(pattern, *mTextureSurface1);
        CheckDXError(mDevice->EndScene(), "EndScene");
        CopyRenderedImage();
        return true;
    } catch (const TestException& exception) {
        // Ending the scene may fail as well; that must not throw out of here.
        (void)mDevice->EndScene();
        return Fail(exception.mMessage);
    }
}

bool D3DTester::JudgeBlend(uint32_t expected, const char* failure, const char* warning) {
    int count = 0;
    const bool uniform = mTestImage.CheckUniform(expected, count, 10, 10);
    if (count > 0) {
        return Fail(failure);
    }
    if (!uniform) {
        Warn(warning);
    }
    return true;
}

bool D3DTester::TestAlphaBlend() {
    const bool drawn = RenderTest(
        kBlendSrcAlpha, "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA", kBlendInvSrcAlpha,
        "D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA",
        [&](D3DTestImage& pattern, Texture3D& texture) {
            DrawTwoLayers(*mDevice, pattern, texture, 0xFF0000FF, 0x80FF0000, 0xFFFFFFFF);
        });
    return drawn &&
           JudgeBlend(0x7F007F, "Alpha blend Not Supported", "Alpha blend test not uniform.");
}

bool D3DTester::TestAdditiveBlend() {
    const bool drawn = RenderTest(
        kBlendOne, "D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE", kBlendOne,
        "D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE", [&](D3DTestImage& pattern, Texture3D& texture) {
            DrawTwoLayers(*mDevice, pattern, texture, 0xFF404040, 0xFF404040, 0xFFFFFFFF);
        });
    return drawn && JudgeBlend(0x808080, "Additive blend not supported.",
                               "Additive blend test not uniform.");
}

bool D3DTester::TestAlphaAddBlend() {
    const bool drawn = RenderTest(
        kBlendSrcAlpha, "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA", kBlendOne,
        "D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE", [&](D3DTestImage& pattern, Texture3D& texture) {
            DrawTwoLayers(*mDevice, pattern, texture, 0xFF404040, 0x80808080, 0xFFFFFFFF);
        });
    return drawn && JudgeBlend(0x808080, "AlphaAdd blend not supported.",
                               "AlphaAdd blend test not uniform.");
}

bool D3DTester::TestAlphaModulatedBlend() {
    const bool drawn = RenderTest(
        kBlendSrcAlpha, "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA", kBlendInvSrcAlpha,
        "D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA",
        [&](D3DTestImage& pattern, Texture3D& texture) {
            CheckDXError(mDevice->SetTextureStageState(0, TextureStageState::AlphaOp, kTopModulate),
                         "D3DTSS_ALPHAOP, D3DTOP_MODULATE");
            DrawTwoLayers(*mDevice, pattern, texture, 0xFF0000FF, 0xFFFF0000, 0x80FFFFFF);
        });
    return drawn && JudgeBlend(0x7F007F, "AlphaModulated blend not supported.",
                               "AlphaModulated blend test not uniform.");
}

bool D3DTester::TestClipping() {
    const bool drawn =
        RenderTest(kBlendSrcAlpha, "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA", kBlendInvSrcAlpha,
                   "D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA",
                   [&](D3DTestImage& pattern, Texture3D& texture) {
                       pattern.FillStripes();
                       pattern.DrawTiled(*mDevice, texture, -2, -2, 0xFFFFFFFF);
                   });
    if (drawn && mTestImage.CountStripeErrors(62, 62, 0, 0) > 0) {
        Warn("Clip problem detected.");
    }
    return drawn;
}

void D3DTester::CopyRenderedImage() {
    SurfaceDesc desc;
    CheckDXError(mRenderSurface->Lock(desc, kLockWait), "CopyPrimary Lock");
    const PixelFormat& format = desc.pixelFormat;
    if (format.bitCount == 24) {
        (void)mRenderSurface->Unlock();
        throw TestException{"Can't test 24-bit mode."};
    }
    if (format.bitCount != 16 && format.bitCount != 32) {
        (void)mRenderSurface->Unlock();
        throw TestException{"Invalid Color Depth"};
    }
    auto shiftOf = [](uint32_t mask, int top) {
        int high = 31;
        while (high > 0 && (mask & (1u << high)) == 0) {
            --high;
        }
        return top - high;
    };
    const int redShift = shiftOf(format.redMask, 23);
    const int greenShift = shiftOf(format.greenMask, 15);
    const int blueShift = shiftOf(format.blueMask, 7);
    auto place = [](uint32_t value, int shift) {
        return shift >= 0 ? value << shift : value >> -shift;
    };
    const int width = std::min(desc.width, mTestImage.mWidth);
    const int height = std::min(desc.height, mTestImage.mHeight);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            static_cast<const uint8_t*>(desc.bits) + static_cast<size_t>(y) * desc.pitch;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = format.bitCount == 16 ? reinterpret_cast<const uint16_t*>(row)[x]
                                                     : reinterpret_cast<const uint32_t*>(row)[x];
            mTestImage.mPixels[static_cast<size_t>(y) * mTestImage.mWidth + x] =
                0xFF000000u | (place(p & format.redMask, redShift) & 0xFF0000) |
                (place(p & format.greenMask, greenShift) & 0xFF00) |
                (place(p & format.blueMask, blueShift) & 0xFF);
        }
    }
    (void)mRenderSurface->Unlock();
}

} // namespace Vuro
