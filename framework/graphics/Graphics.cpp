// Drawing context: state, translation and clipping, rectangles and images.

#include "framework/graphics/Graphics.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Image.h"

namespace Vuro {

namespace {

// Every slot of a plain Image draws nothing, so a context on it only measures.
Image& DummyImage() {
    static Image dummy;
    return dummy;
}

} // namespace

Graphics::Graphics(Image* dest) {
    mDestImage = dest != nullptr ? dest : &DummyImage();
    mClipRect = Rect(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight());
}

Graphics::Graphics(const Graphics& other) : GraphicsState() {
    CopyStateFrom(other);
}

Graphics::~Graphics() = default;

Graphics* Graphics::Create() const {
    return new Graphics(*this);
}

void Graphics::PushState() {
    mStateStack.push_back(*this);
}

void Graphics::PopState() {
    if (mStateStack.empty()) {
        return;
    }
    CopyStateFrom(mStateStack.back());
    mStateStack.pop_back();
}

void Graphics::Translate(int x, int y) {
    mTransX += static_cast<float>(x);
    mTransY += static_cast<float>(y);
}

void Graphics::ClipRect(int x, int y, int width, int height) {
    mClipRect = mClipRect.Intersection(Rect(TransX(x), TransY(y), width, height));
}

void Graphics::FillRect(int x, int y, int width, int height) {
    if (mColor.mAlpha == 0) {
        return;
    }
    const Rect rect = Rect(TransX(x), TransY(y), width, height).Intersection(mClipRect);
    mDestImage->FillRect(rect, mColor, mDrawMode);
}

void Graphics::DrawRect(int x, int y, int width, int height) {
    if (mColor.mAlpha == 0) {
        return;
    }
    const Rect outline(TransX(x), TransY(y), width + 1, height + 1);
    if (outline.Intersection(mClipRect) == outline) {
        mDestImage->DrawRect(Rect(outline.mX, outline.mY, width, height), mColor, mDrawMode);
        return;
    }
    FillRect(x, y, width + 1, 1);
    FillRect(x, y + height, width + 1, 1);
    FillRect(x, y + 1, 1, height - 1);
    FillRect(x + width, y + 1, 1, height - 1);
}

void Graphics::DrawString(const std::string& text, int x, int y) {
    if (mFont != nullptr) {
        mFont->DrawString(this, x, y, text, mColor, mClipRect);
    }
}

const Color& Graphics::ImageColor() const {
    return mColorizeImages ? mColor : Color::White;
}

void Graphics::BltClipped(Image* image, int destX, int destY, const Rect& src) {
    const Rect clipped = Rect(destX, destY, src.mWidth, src.mHeight).Intersection(mClipRect);
    if (clipped.mWidth < 1 || clipped.mHeight < 1) {
        return;
    }
    const Rect from(src.mX + clipped.mX - destX, src.mY + clipped.mY - destY, clipped.mWidth,
                    clipped.mHeight);
    mDestImage->Blt(image, clipped.mX, clipped.mY, from, ImageColor(), mDrawMode);
}

void Graphics::DrawImage(Image* image, int x, int y) {
    if (image != nullptr) {
        BltClipped(image, TransX(x), TransY(y), Rect(0, 0, image->GetWidth(), image->GetHeight()));
    }
}

void Graphics::DrawImageSrc(Image* image, int x, int y, const Rect& src) {
    if (image == nullptr || src.mX + src.mWidth > image->GetWidth() ||
        src.mY + src.mHeight > image->GetHeight()) {
        return;
    }
    // Only the part of the source inside the image is drawn: a negative source corner would
    // make the blitter read outside it.
    const Rect inside = src.Intersection(Rect(0, 0, image->GetWidth(), image->GetHeight()));
    BltClipped(image, TransX(x) + inside.mX - src.mX, TransY(y) + inside.mY - src.mY, inside);
}

void Graphics::DrawImageStretch(Image* image, int x, int y, int width, int height) {
    if (image != nullptr) {
        mDestImage->StretchBlt(image, Rect(TransX(x), TransY(y), width, height),
                               Rect(0, 0, image->GetWidth(), image->GetHeight()), mClipRect,
                               ImageColor(), mDrawMode, mFastStretch);
    }
}

void Graphics::DrawImageStretchSrc(Image* image, const Rect& dest, const Rect& src) {
    if (image != nullptr) {
        mDestImage->StretchBlt(image,
                               Rect(TransX(dest.mX), TransY(dest.mY), dest.mWidth, dest.mHeight),
                               src, mClipRect, ImageColor(), mDrawMode, mFastStretch);
    }
}

void Graphics::DrawImageFrame(Image* image, int x, int y, int cel) {
    // A sheet without columns has no cels.
    if (image != nullptr && image->mNumCols > 0) {
        DrawImageFrameAt(image, x, y, cel % image->mNumCols, cel / image->mNumCols);
    }
}

void Graphics::DrawImageFrameAt(Image* image, int x, int y, int col, int row) {
    if (image == nullptr || col < 0 || row < 0 || col >= image->mNumCols ||
        row >= image->mNumRows) {
        return;
    }
    DrawImageSrc(image, x, y, image->GetCelRect(col, row));
}

} // namespace Vuro
