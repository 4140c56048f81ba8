#include "framework/graphics/Image.h"

namespace Vuro {

Image::Image() = default;

Image::Image(const Image& other)
    : mWidth(other.mWidth), mHeight(other.mHeight), mNumRows(other.mNumRows),
      mNumCols(other.mNumCols),
      mAnimInfo(other.mAnimInfo ? std::make_unique<AnimationInfo>(*other.mAnimInfo) : nullptr) {}

Image& Image::operator=(const Image& other) {
    if (this != &other) {
        mNumRows = other.mNumRows;
        mNumCols = other.mNumCols;
        mAnimInfo = other.mAnimInfo ? std::make_unique<AnimationInfo>(*other.mAnimInfo) : nullptr;
    }
    return *this;
}

Image::~Image() = default;

bool Image::FillPolygon3D(const Point*, int, const Rect*, const Color&, DrawMode, int, int) {
    return false;
}

void Image::FillRect(const Rect&, const Color&, DrawMode) {}

void Image::DrawRect(const Rect& rect, const Color& color, DrawMode mode) {
    FillRect(Rect(rect.mX, rect.mY, rect.mWidth + 1, 1), color, mode);
    FillRect(Rect(rect.mX, rect.mY + rect.mHeight, rect.mWidth + 1, 1), color, mode);
    FillRect(Rect(rect.mX, rect.mY + 1, 1, rect.mHeight - 1), color, mode);
    FillRect(Rect(rect.mX + rect.mWidth, rect.mY + 1, 1, rect.mHeight - 1), color, mode);
}

void Image::ClearRect(const Rect&) {}

void Image::DrawLine(double, double, double, double, const Color&, DrawMode) {}

void Image::FillScanLines(const ScanSpan* spans, int count, const Color& color, DrawMode mode) {
    for (int i = 0; i < count; ++i) {
        FillRect(Rect(spans[i].mX, spans[i].mY, spans[i].mWidth, 1), color, mode);
    }
}

void Image::Blt(Image*, int, int, const Rect&, const Color&, DrawMode) {}

void Image::BltSubpixel(Image*, float, float, const Rect&, const Rect&, const Color&, DrawMode) {}

void Image::BltRotated(Image*, float, float, const Rect&, const Rect&, const Color&, DrawMode,
                       double, float, float) {}

void Image::StretchBlt(Image*, const Rect&, const Rect&, const Rect&, const Color&, DrawMode,
                       bool) {}

void Image::BltMatrix(Image*, float, float, const Matrix3x3&, const Rect&, const Color&, DrawMode,
                      const Rect&, bool) {}

void Image::BltTrianglesTex(Image*, const TexVertex (*)[3], int, const Rect&, const Color&,
                            DrawMode, float, float, bool) {}

void Image::BltMirror(Image*, int, int, const Rect&, const Color&, DrawMode) {}

void Image::StretchBltMirror(Image*, const Rect&, const Rect&, const Rect&, const Color&, DrawMode,
                             bool) {}

Rect Image::GetCelRect(int col, int row) const {
    const int celWidth = mWidth / mNumCols;
    const int celHeight = mHeight / mNumRows;
    return Rect(col * celWidth, row * celHeight, celWidth, celHeight);
}

} // namespace Vuro
