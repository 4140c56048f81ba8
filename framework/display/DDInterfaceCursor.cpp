// The software cursor: drawn on a surface with what lay beneath kept in the old save area,
// taken out again, and moved on the screen without redrawing the frame. Both save areas are
// cursor-area sized (64 x 64); the cursor image is centred in its area, the area centred on the
// cursor position and clipped to the screen.
//
// A move whose save fails still takes the old cursor off the screen, so no stale copy stays
// behind.

#include "framework/display/DDInterface.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"

#include <algorithm>

namespace Vuro {

namespace {

// The part of a cursor area centred on (x, y) that lies on the screen, and the same part in
// the area's own coordinates.
struct CursorRects {
    Platform::SurfaceRect screen;
    Platform::SurfaceRect area;
    bool empty;
};

CursorRects RectsAt(int x, int y, int areaWidth, int areaHeight, int screenWidth,
                    int screenHeight) {
    const int left = x - areaWidth / 2;
    const int top = y - areaHeight / 2;
    CursorRects r;
    r.screen = {std::max(left, 0), std::max(top, 0), std::min(left + areaWidth, screenWidth),
                std::min(top + areaHeight, screenHeight)};
    r.area = {r.screen.left - left, r.screen.top - top, r.screen.right - left,
              r.screen.bottom - top};
    r.empty = r.screen.left >= r.screen.right || r.screen.top >= r.screen.bottom;
    return r;
}

void DrawImageAt(DDImage& target, Image* image, int x, int y) {
    Graphics g(&target);
    g.DrawImage(image, x, y);
}

} // namespace

void DDInterface::DrawCursor(Platform::Surface* surface) {
    if (mCursorImage == nullptr || mPrimarySurface == nullptr || surface == nullptr) {
        mHasOldCursorArea = false;
        return;
    }
    const CursorRects r =
        RectsAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight, mWidth, mHeight);
    if (r.empty) {
        mHasOldCursorArea = false;
        return;
    }
    // The primary is the window's client area, the size of the screen, so the screen clip
    // already keeps the rectangle inside it.
    mHasOldCursorArea =
        !Platform::DDFailed(mOldCursorArea->Blt(&r.area, surface, &r.screen, Platform::kBltWait));
    const int imageX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
    const int imageY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
    if (surface == mDrawSurface.get() && !mIs3D && mScreenImage != nullptr) {
        DrawImageAt(*mScreenImage, mCursorImage, mCursorDrawnX - mCursorWidth / 2 + imageX,
                    mCursorDrawnY - mCursorHeight / 2 + imageY);
        return;
    }
    (void)mNewCursorArea->Blt(&r.area, mOldCursorArea.get(), &r.area, Platform::kBltWait);
    DrawImageAt(*mNewCursorAreaImage, mCursorImage, imageX, imageY);
    (void)surface->Blt(&r.screen, mNewCursorArea.get(), &r.area, Platform::kBltWait);
}

void DDInterface::RestoreOldCursorArea(Platform::Surface* surface) {
    if (!mHasOldCursorArea || mPrimarySurface == nullptr || surface == nullptr) {
        return;
    }
    const CursorRects r =
        RectsAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight, mWidth, mHeight);
    if (!r.empty) {
        (void)surface->Blt(&r.screen, mOldCursorArea.get(), &r.area, Platform::kBltWait);
    }
    mHasOldCursorArea = false;
}

void DDInterface::MoveCursor(Platform::Surface* surface, int x, int y) {
    if (mCursorImage == nullptr || mPrimarySurface == nullptr || surface == nullptr) {
        mHasOldCursorArea = false;
        return;
    }
    const CursorRects from =
        RectsAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight, mWidth, mHeight);
    const CursorRects to = RectsAt(x, y, mCursorWidth, mCursorHeight, mWidth, mHeight);
    if (to.empty || Platform::DDFailed(
                        mNewCursorArea->Blt(&to.area, surface, &to.screen, Platform::kBltWait))) {
        RestoreOldCursorArea(surface);
        mCursorDrawnX = x;
        mCursorDrawnY = y;
        return;
    }
    const int dx = x - mCursorDrawnX;
    const int dy = y - mCursorDrawnY;
    const int imageX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
    const int imageY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
    // The overlap of the two areas, in the old area's coordinates: those screen pixels show
    // the old cursor, and what truly lies there is in the old area.
    const Platform::SurfaceRect overlap{std::max(dx, 0), std::max(dy, 0),
                                        std::min(mCursorWidth, mCursorWidth + dx),
                                        std::min(mCursorHeight, mCursorHeight + dy)};
    if (overlap.right > overlap.left && overlap.bottom > overlap.top) {
        const Platform::SurfaceRect moved{overlap.left - dx, overlap.top - dy, overlap.right - dx,
                                          overlap.bottom - dy};
        (void)mNewCursorArea->Blt(&moved, mOldCursorArea.get(), &overlap, Platform::kBltWait);
        DrawImageAt(*mOldCursorAreaImage, mCursorImage, imageX + dx, imageY + dy);
    }
    if (!from.empty) {
        // The old cursor goes; where the areas overlap the new one already shows.
        (void)surface->Blt(&from.screen, mOldCursorArea.get(), &from.area, Platform::kBltWait);
    }
    (void)mOldCursorArea->Blt(nullptr, mNewCursorArea.get(), nullptr, Platform::kBltWait);
    DrawImageAt(*mNewCursorAreaImage, mCursorImage, imageX, imageY);
    (void)surface->Blt(&to.screen, mNewCursorArea.get(), &to.area, Platform::kBltWait);
    mCursorDrawnX = x;
    mCursorDrawnY = y;
    mHasOldCursorArea = true;
}

} // namespace Vuro
