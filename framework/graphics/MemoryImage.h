#pragma once
// An image whose pixels live in memory: 32-bit 0xAARRGGBB words (not premultiplied), or a
// palettised form of up to 256 colours with one index byte per pixel. Derived forms are built
// on demand and dropped whenever the pixels change: a premultiplied copy in the display's
// channel layout and two run-length tables that let blitters skip or copy whole runs.
//
// What a caller can rely on:
// - The image registers with the application for its whole life (constructor to destructor).
// - GetBits always answers a buffer of width x height words followed by the sentinel word
//   kSentinel; absent pixels come back as zeros. Drawing into the image brings the 32-bit form
//   back and drops the palettised one.
// - Every change of the pixels goes through OnBitsChanged, which frees the derived forms.
//
// Drawing (the Image slots) is carried out in software on the 32-bit bits (see PixelBlend.h
// for the arithmetic). Every drawing operation keeps to the destination's and the source's
// bounds and treats negative sizes as empty, whatever rectangles and clips the caller passes;
// colour channels outside 0..255 are clamped.

#include "framework/graphics/Image.h"
#include "framework/graphics/PixelWords.h"

#include <cstdint>
#include <memory>

namespace Vuro {

class ImageRegistry;
class NativeDisplay;
class TextureData;

class MemoryImage : public Image {
public:
    static constexpr uint32_t kSentinel = 0x4BEEFADE;

    explicit MemoryImage(ImageRegistry* app);
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage&) = delete;
    ~MemoryImage() override;

    // Drawing slots (software blitters).
    void FillRect(const Rect& rect, const Color& color, DrawMode mode) override;
    void ClearRect(const Rect& rect) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                  DrawMode mode) override;
    void Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
             DrawMode mode) override;
    void BltSubpixel(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                     const Color& color, DrawMode mode) override;
    void BltRotated(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, double angle, float centerX,
                    float centerY) override;
    void StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, bool fastStretch) override;
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const Rect& clipRect,
                   const Color& color, DrawMode mode, const Rect& srcRect, bool blend) override;
    void BltTrianglesTex(Image* texture, const TexVertex (*triangles)[3], int count,
                         const Rect& clipRect, const Color& color, DrawMode mode, float tx,
                         float ty, bool blend) override;

    // Slots added by the in-memory image, in this order.
    virtual uint32_t* GetNativeAlphaData(NativeDisplay* display);
    virtual uint8_t* GetRLAlphaData();
    virtual uint8_t* GetRLAdditiveData(NativeDisplay* display);
    virtual void DropBits();
    virtual void DropSoftwareBuffers();
    virtual void Drop3DBuffers();
    virtual void DropExtraBuffers();
    virtual void ReInit();
    virtual void OnBitsChanged();
    virtual void ApplyBits();
    virtual void DropNativeData();
    virtual void Clear();
    virtual void SetBits(const uint32_t* bits, int width, int height);
    virtual void Create(int width, int height);
    virtual uint32_t* GetBits();
    virtual void SetTransAlphaFlags(bool hasTrans, bool hasAlpha);
    virtual void SetVolatile(bool isVolatile);
    // False (image unchanged) with more than 256 distinct words.
    virtual bool Palletize();

    // Area-weighted stretch of the fractional source rectangle into destRect of this image's
    // bits, composited in normal mode. The display image uses it to build stretched pieces.
    void SlowStretchBlt(Image* image, const Rect& destRect, const DoubleRect& srcRect);

    // Entries of the triangle rasteriser, shared with the display image, which passes its own
    // surface memory, pitch and format code (kPixelFormat*; any other code draws nothing).
    static void BltMatrixHelper(Image* image, float x, float y, const Matrix3x3& matrix,
                                const Rect& clipRect, const Color& color, DrawMode mode,
                                const Rect& srcRect, void* surface, int pitch,
                                PixelFormatCode format, bool blend);
    static void BltTrianglesTexHelper(Image* texture, const TexVertex (*triangles)[3], int count,
                                      const Rect& clipRect, const Color& color, DrawMode mode,
                                      void* surface, int pitch, PixelFormatCode format, float tx,
                                      float ty, bool blend);

    // The pixel layout of the application's display, or the 32-bit ARGB layout without one.
    NativeDisplay* GetDisplayLayout() const;
    // mAdditiveTerms, made now if missing; the image has 32-bit bits.
    const uint32_t* GetAdditiveTerms();
    // Palettised: the pixels are mColorIndices into mColorTable.
    bool IsPalettised() const { return mColorTable != nullptr && mColorIndices != nullptr; }

    PixelWords mBits; // width x height + 1 words, last one kSentinel
    int mBitsChangedCount = 0;
    TextureData* mTextureData = nullptr; // owned by the 3-D display
    int mTextureFlags = 0;
    std::unique_ptr<uint32_t[]> mColorTable;  // 256 ARGB words
    std::unique_ptr<uint8_t[]> mColorIndices; // width x height
    bool mForcedMode = false;                 // SetTransAlphaFlags fixed the two flags below
    bool mHasTrans = false;                   // some pixel has alpha 0
    bool mHasAlpha = false;                   // some pixel has alpha 1..254
    bool mIsVolatile = false;
    bool mPurgeBits = false; // drop the 32-bit bits again after every rebuild
    bool mWantPal = false;   // palettise again after every rebuild
    // Premultiplied, display layout: width x height words, or 256 when palettised.
    PixelWords mNativeAlphaData;
    std::unique_ptr<uint8_t[]> mRLAlphaData;    // run lengths of alpha 0 / 255 / between
    std::unique_ptr<uint8_t[]> mRLAdditiveData; // run lengths of black / not black (native)
    // The untinted alpha-weighted additive blit's terms of the 32-bit pixels (Blend::
    // WhiteAlphaTerm): width x height words, made on first use, dropped with the bits' changes.
    PixelWords mAdditiveTerms;
    bool mBitsChanged = false;
    ImageRegistry* mApp; // not owned

private:
    Rect Bounds() const { return Rect(0, 0, mWidth, mHeight); }
    void NormalBlt(MemoryImage* src, int x, int y, const Rect& srcRect, const Color& color);
    void AdditiveBlt(MemoryImage* src, int x, int y, const Rect& srcRect, const Color& color);
    void NearestStretch(MemoryImage* src, const Rect& destRect, const DoubleRect& srcRect);

    // One byte per pixel: the pixels left in the row's run of equal class, capped at 255.
    template <typename ClassOf> std::unique_ptr<uint8_t[]> BuildRunLengths(ClassOf classOf) const;
    bool Is3D() const;
};

// Pixels of a source image as the blitters read them: palette and indices, or 32-bit bits.
// Null bits/indices mean the source is not an in-memory image.
struct SourcePixels {
    const uint32_t* mBits = nullptr;
    const uint8_t* mIndices = nullptr;
    const uint32_t* mPalette = nullptr;
    int mWidth = 0;
    int mHeight = 0;

    static SourcePixels Of(MemoryImage* image);
    bool IsValid() const { return mBits != nullptr || mIndices != nullptr; }
    uint32_t At(int x, int y) const {
        const size_t i = static_cast<size_t>(y) * mWidth + x;
        return mIndices ? mPalette[mIndices[i]] : mBits[i];
    }
    // count pixels from (x, y): in place for 32-bit bits, else looked up into scratch.
    const uint32_t* Row(int x, int y, int count, uint32_t* scratch) const {
        const size_t i = static_cast<size_t>(y) * mWidth + x;
        if (mBits != nullptr) {
            return mBits + i;
        }
        for (int k = 0; k < count; ++k) {
            scratch[k] = mPalette[mIndices[i + k]];
        }
        return scratch;
    }
};

} // namespace Vuro
