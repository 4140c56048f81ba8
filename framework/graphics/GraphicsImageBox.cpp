// Drawing context: the nine-part box, an image cut into corners, edges and centre so that it
// frames a rectangle of any size. Corners are drawn once; edges and centre are tiled at their
// own size and cut at the far side by a clip.

#include "framework/graphics/Graphics.h"

#include "framework/graphics/Image.h"

namespace Vuro {

void Graphics::DrawImageBox(const Rect& dest, Image* image) {
    if (image != nullptr) {
        DrawImageBoxSrc(Rect(0, 0, image->GetWidth(), image->GetHeight()), dest, image);
    }
}

void Graphics::DrawImageBoxSrc(const Rect& src, const Rect& dest, Image* image) {
    // An empty source has no middle to tile (the tile count would divide by zero).
    if (image == nullptr || src.mWidth <= 0 || src.mHeight <= 0) {
        return;
    }
    const int cw = src.mWidth / 3;
    const int ch = src.mHeight / 3;
    const int mw = src.mWidth - 2 * cw;
    const int mh = src.mHeight - 2 * ch;
    const int right = dest.mX + dest.mWidth - cw;
    const int bottom = dest.mY + dest.mHeight - ch;

    DrawImageSrc(image, dest.mX, dest.mY, Rect(src.mX, src.mY, cw, ch));
    DrawImageSrc(image, right, dest.mY, Rect(src.mX + cw + mw, src.mY, cw, ch));
    DrawImageSrc(image, dest.mX, bottom, Rect(src.mX, src.mY + ch + mh, cw, ch));
    DrawImageSrc(image, right, bottom, Rect(src.mX + cw + mw, src.mY + ch + mh, cw, ch));

    const int columns = (dest.mWidth - 2 * cw + mw - 1) / mw;
    const int rows = (dest.mHeight - 2 * ch + mh - 1) / mh;

    Graphics edges(*this);
    edges.ClipRect(dest.mX + cw, dest.mY, dest.mWidth - 2 * cw, dest.mHeight);
    for (int i = 0; i < columns; ++i) {
        const int x = dest.mX + cw + i * mw;
        edges.DrawImageSrc(image, x, dest.mY, Rect(src.mX + cw, src.mY, mw, ch));
        edges.DrawImageSrc(image, x, bottom, Rect(src.mX + cw, src.mY + ch + mh, mw, ch));
    }

    Graphics sides(*this);
    sides.ClipRect(dest.mX, dest.mY + ch, dest.mWidth, dest.mHeight - 2 * ch);
    for (int j = 0; j < rows; ++j) {
        const int y = dest.mY + ch + j * mh;
        sides.DrawImageSrc(image, dest.mX, y, Rect(src.mX, src.mY + ch, cw, mh));
        sides.DrawImageSrc(image, right, y, Rect(src.mX + cw + mw, src.mY + ch, cw, mh));
    }

    Graphics centre(*this);
    centre.ClipRect(dest.mX + cw, dest.mY + ch, dest.mWidth - 2 * cw, dest.mHeight - 2 * ch);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            centre.DrawImageSrc(image, dest.mX + cw + i * mw, dest.mY + ch + j * mh,
                                Rect(src.mX + cw, src.mY + ch, mw, mh));
        }
    }
}

} // namespace Vuro
