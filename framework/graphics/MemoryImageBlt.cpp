// Blt of the in-memory image: normal (run-length, tinted, alpha destination) and additive.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/PixelBlend.h"

#include <algorithm>

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
    const Blend::BlendTables& tables = Blend::GetBlendTables();
    if (!mHasAlpha && !mHasTrans && c == Color::White) {
        // Opaque destination: whole runs are copied or skipped through the run-length table.
        const uint8_t* runs = src->GetRLAlphaData();
        const SourcePixels pixels = SourcePixels::Of(src);
        for (int row = 0; row < from.mHeight; ++row) {
            const size_t srcRow = static_cast<size_t>(from.mY + row) * pixels.mWidth + from.mX;
            uint32_t* out = bits + static_cast<size_t>(y + row) * mWidth + x;
            for (int i = 0; i < from.mWidth;) {
                const int n = std::min<int>(runs[srcRow + i], from.mWidth - i);
                const uint32_t alpha = pixels.At(from.mX + i, from.mY + row) >> 24;
                if (alpha == 255) {
                    if (pixels.mBits != nullptr) {
                        std::copy_n(pixels.mBits + srcRow + i, n, out + i);
                    } else {
                        for (int k = 0; k < n; ++k) {
                            out[i + k] = pixels.mPalette[pixels.mIndices[srcRow + i + k]];
                        }
                    }
                } else if (alpha != 0) {
                    for (int k = i; k < i + n; ++k) {
                        const uint32_t s = pixels.At(from.mX + k, from.mY + row);
                        out[k] = Blend::Opaque(out[k], s, s >> 24);
                    }
                }
                i += n;
            }
        }
        return;
    }
    const SourcePixels pixels = SourcePixels::Of(src);
    const bool tinted = c != Color::White;
    for (int row = 0; row < from.mHeight; ++row) {
        uint32_t* out = bits + static_cast<size_t>(y + row) * mWidth + x;
        for (int i = 0; i < from.mWidth; ++i) {
            const uint32_t s = pixels.At(from.mX + i, from.mY + row);
            if (tinted) {
                out[i] = Blend::Tinted(out[i], s, c, tables);
            } else if (s >> 24 != 0) {
                out[i] = Blend::Normal(out[i], s, s >> 24, tables);
            }
        }
    }
}

namespace {

template <Blend::AdditiveForm Form>
void AdditiveRows(const SourcePixels& pixels, const Rect& from, uint32_t* bits, int pitch,
                  const uint32_t (&m)[3]) {
    for (int row = 0; row < from.mHeight; ++row) {
        uint32_t* out = bits + static_cast<size_t>(row) * pitch;
        for (int i = 0; i < from.mWidth; ++i) {
            out[i] = Blend::Additive<Form>(out[i], pixels.At(from.mX + i, from.mY + row), m);
        }
    }
}

} // namespace

void MemoryImage::AdditiveBlt(MemoryImage* src, int x, int y, const Rect& from, const Color& c) {
    const SourcePixels pixels = SourcePixels::Of(src);
    uint32_t* out = mBits.get() + static_cast<size_t>(y) * mWidth + x;
    const uint32_t m[3] = {static_cast<uint32_t>(c.mRed * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mGreen * c.mAlpha / 255),
                           static_cast<uint32_t>(c.mBlue * c.mAlpha / 255)};
    using Form = Blend::AdditiveForm;
    if (c == Color::White) {
        src->mHasAlpha ? AdditiveRows<Form::WhiteAlpha>(pixels, from, out, mWidth, m)
                       : AdditiveRows<Form::White>(pixels, from, out, mWidth, m);
    } else {
        src->mHasAlpha ? AdditiveRows<Form::TintedAlpha>(pixels, from, out, mWidth, m)
                       : AdditiveRows<Form::Tinted>(pixels, from, out, mWidth, m);
    }
}

} // namespace Vuro
