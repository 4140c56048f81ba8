// Blt of the in-memory image: normal (opaque destination, tinted, alpha destination) and additive.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BlitRows.h"
#include "framework/graphics/KernelForm.h"
#include "framework/graphics/SpriteRows.h"
#include "framework/graphics/SpriteRowsAvx2.h"

#include <algorithm>
#include <vector>

namespace Vuro {

void MemoryImage::Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                      DrawMode mode) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    if (src == nullptr || (mode != kDrawModeNormal && mode != kDrawModeAdditive)) {
        return;
    }
    // Keep to both images: the source rectangle within the source, the destination within
    // this image, each cut carried over to the other.
    const Rect inSource = srcRect.Intersection(src->Bounds());
    if (inSource.IsEmpty()) {
        return;
    }
    const int destX = x + (inSource.mX - srcRect.mX);
    const int destY = y + (inSource.mY - srcRect.mY);
    const Rect dest = Rect(destX, destY, inSource.mWidth, inSource.mHeight).Intersection(Bounds());
    if (dest.IsEmpty()) {
        return;
    }
    const Rect from(inSource.mX + dest.mX - destX, inSource.mY + dest.mY - destY, dest.mWidth,
                    dest.mHeight);
    GetBits();
    if (mode == kDrawModeNormal) {
        NormalBlt(src, dest.mX, dest.mY, from, color.Clamped());
    } else {
        AdditiveBlt(src, dest.mX, dest.mY, from, color.Clamped());
    }
    OnBitsChanged();
}

void MemoryImage::NormalBlt(MemoryImage* src, int x, int y, const Rect& from, const Color& c) {
    uint32_t* bits = mBits.get();
    const SourcePixels pixels = SourcePixels::Of(src);
    // Only a palettised source is looked up into a row of its own.
    std::vector<uint32_t> scratch(pixels.mBits != nullptr ? 0 : static_cast<size_t>(from.mWidth));
    if (!mHasAlpha && !mHasTrans && c == Color::White) {
        // Opaque destination: each pixel by its own alpha class, copied, skipped or mixed.
        src->ApplyBits();
        if (!src->mForcedMode && !src->mHasAlpha && !src->mHasTrans && pixels.mBits != nullptr) {
            // Every pixel opaque (found so by looking, not declared): the rows are one run each,
            // and rows lying end to end in both images (a whole-screen background) one run.
            if (from.mX == 0 && x == 0 && from.mWidth == pixels.mWidth && from.mWidth == mWidth) {
                std::copy_n(pixels.Row(0, from.mY, 0, nullptr),
                            static_cast<size_t>(from.mWidth) * from.mHeight,
                            bits + static_cast<size_t>(y) * mWidth);
                return;
            }
            for (int row = 0; row < from.mHeight; ++row) {
                std::copy_n(pixels.Row(from.mX, from.mY + row, from.mWidth, nullptr), from.mWidth,
                            bits + static_cast<size_t>(y + row) * mWidth + x);
            }
            return;
        }
        uint32_t* out = bits + static_cast<size_t>(y) * mWidth + x;
        if (pixels.mBits != nullptr) {
            Blend::OverOpaqueRows(out, mWidth, pixels.Row(from.mX, from.mY, 0, nullptr),
                                  pixels.mWidth, from.mWidth, from.mHeight);
            return;
        }
        for (int row = 0; row < from.mHeight; ++row, out += mWidth) {
            Blend::OverOpaqueRows(out, 0,
                                  pixels.Row(from.mX, from.mY + row, from.mWidth, scratch.data()),
                                  0, from.mWidth, 1);
        }
        return;
    }
    for (int row = 0; row < from.mHeight; ++row) {
        const uint32_t* in = pixels.Row(from.mX, from.mY + row, from.mWidth, scratch.data());
        uint32_t* out = bits + static_cast<size_t>(y + row) * mWidth + x;
        if (c != Color::White) {
            Blend::TintedRow(out, in, from.mWidth, c);
        } else {
            Blend::NormalRow(out, in, from.mWidth);
        }
    }
}

void MemoryImage::AdditiveBlt(MemoryImage* src, int x, int y, const Rect& from, const Color& c) {
    const SourcePixels pixels = SourcePixels::Of(src);
    if (c == Color::White && pixels.mBits != nullptr) {
        // Untinted from 32-bit pixels: the terms added are the colours or, weighted, kept by the
        // image, so the blit is one saturating add per channel.
        const uint32_t* terms = src->mHasAlpha ? src->GetAdditiveTerms() : pixels.mBits;
        const auto add =
            Blend::WideKernels() ? Blend::SpriteAvx2::AddTermsRows : Blend::AddTermsRows;
        add(mBits.get() + static_cast<size_t>(y) * mWidth + x, mWidth,
            terms + static_cast<size_t>(from.mY) * pixels.mWidth + from.mX, pixels.mWidth,
            from.mWidth, from.mHeight);
        return;
    }
    std::vector<uint32_t> scratch(pixels.mBits != nullptr ? 0 : static_cast<size_t>(from.mWidth));
    const uint32_t m[3] = {static_cast<uint32_t>(c.mRed * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mGreen * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mBlue * c.mAlpha / 255)};
    using Form = Blend::AdditiveForm;
    const Form form = c == Color::White ? (src->mHasAlpha ? Form::WhiteAlpha : Form::White)
                                        : (src->mHasAlpha ? Form::TintedAlpha : Form::Tinted);
    for (int row = 0; row < from.mHeight; ++row) {
        const uint32_t* in = pixels.Row(from.mX, from.mY + row, from.mWidth, scratch.data());
        uint32_t* out = mBits.get() + static_cast<size_t>(y + row) * mWidth + x;
        Blend::AdditiveRow(form, out, in, from.mWidth, m);
    }
}

const uint32_t* MemoryImage::GetAdditiveTerms() {
    if (!mAdditiveTerms) {
        const uint32_t* bits = GetBits();
        const size_t count = static_cast<size_t>(mWidth) * mHeight;
        mAdditiveTerms = MakePixelWordsForOverwrite(count);
        std::transform(bits, bits + count, mAdditiveTerms.get(), Blend::WhiteAlphaTerm);
    }
    return mAdditiveTerms.get();
}

} // namespace Vuro
