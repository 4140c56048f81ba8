// Presenting a frame, the screen image, and the set of live display images.
//
// Presenting from a video-memory screen in a window takes the cursor out of the screen again
// afterwards, as the other windowed path does, so the next frame is not drawn over it.

#include "framework/display/DDInterface.h"

#include "framework/display/D3DInterface.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/Rect.h"

namespace Vuro {

void DDInterface::RemakeScreenImage(bool useVideoMemory) {
    ScopedLock lock(mCritSect);
    mVideoMemoryScreen = useVideoMemory;
    if (mSecondarySurface == nullptr &&
        Platform::DDFailed(
            MakePlainSurface(mWidth, mHeight, Platform::kCapsVideoMemory, mSecondarySurface))) {
        mVideoMemoryScreen = false;
    }
    mScreenImage.reset();
    mScreenImage = std::make_unique<DDImage>(this);
    mScreenImage->SetSurface(mVideoMemoryScreen ? mSecondarySurface : mDrawSurface);
    mScreenImage->mVideoMemoryOnly = mVideoMemoryScreen;
    mScreenImage->mWantVideoMemory = mVideoMemoryScreen;
    mScreenImage->SetTransAlphaFlags(false, false);
}

bool DDInterface::Redraw(const Rect* rect) {
    ScopedLock lock(mCritSect);
    if (!mInitialized) {
        return false;
    }
    mPresenting = true;
    if (mIs3D) {
        if (!gD3DError.empty()) {
            mPresenting = false;
            mIs3D = false;
            m3DFaultReported = true;
            return false;
        }
        if (mD3DInterface->mRenderTargetLost) {
            // Fails like a lost surface, so the application initialises the display again.
            mPresenting = false;
            return false;
        }
        mD3DInterface->Flush();
    }
    const Platform::SurfaceRect source{0, 0, mWidth, mHeight};
    const Platform::SurfaceRect dest =
        rect != nullptr ? Platform::SurfaceRect{rect->mX, rect->mY, rect->mX + rect->mWidth,
                                                rect->mY + rect->mHeight}
                        : source;
    Platform::DDResult result = Platform::kDDOk;
    const char* operation = "Redraw Windowed";
    if (!mIsWindowed && (mApp->IsPopupShown() || !mApp->UsesPageFlip())) {
        operation = "Redraw FullScreen Blt";
        result = mPrimarySurface->Blt(&dest, mDrawSurface.get(), &source, Platform::kBltWait);
    } else if (!mIsWindowed) {
        operation = "Redraw FullScreen Flip";
        if (!mVideoMemoryScreen) {
            result = mSecondarySurface->Blt(&dest, mDrawSurface.get(), &source, Platform::kBltWait);
        }
        mCursorDrawnX = mCursorX;
        mCursorDrawnY = mCursorY;
        DrawCursor(mSecondarySurface.get());
        if (!Platform::DDFailed(result)) {
            result = mPrimarySurface->Flip(Platform::kFlipWait);
        }
    } else {
        Platform::Surface* screen =
            mVideoMemoryScreen ? mSecondarySurface.get() : mDrawSurface.get();
        mCursorDrawnX = mCursorX;
        mCursorDrawnY = mCursorY;
        DrawCursor(screen);
        result = mPrimarySurface->Blt(&dest, screen, &source, Platform::kBltWait);
        if (mHasOldCursorArea) {
            // The old area still holds what lies under the cursor on the screen.
            RestoreOldCursorArea(screen);
            mHasOldCursorArea = true;
        }
    }
    mPresenting = false;
    return !CheckDXError(result, operation);
}

void DDInterface::AddDDImage(DDImage* image) {
    ScopedLock lock(mCritSect);
    mDDImageSet.insert(image);
}

void DDInterface::RemoveDDImage(DDImage* image) {
    ScopedLock lock(mCritSect);
    mDDImageSet.erase(image);
}

void DDInterface::Remove3DData(MemoryImage* image) {
    mD3DInterface->RemoveImageData(image);
}

bool DDInterface::CopyTexturesToBits(MemoryImage* image) {
    return mD3DInterface->CopyTexturesToBits(image);
}

bool DDInterface::SetCursorImage(Image* image) {
    ScopedLock lock(mCritSect);
    if (image == mCursorImage) {
        return false;
    }
    mCursorImage = image;
    return true;
}

void DDInterface::SetCursorPos(int x, int y) {
    mCursorX = x;
    mCursorY = y;
    if (mPresenting) {
        return; // the presentation under way draws it at the new place
    }
    ScopedLock lock(mCritSect);
    if (mPrimarySurface == nullptr) {
        return;
    }
    if (mHasOldCursorArea) {
        MoveCursor(mPrimarySurface.get(), x, y);
    } else {
        mCursorDrawnX = x;
        mCursorDrawnY = y;
        DrawCursor(mPrimarySurface.get());
    }
}

} // namespace Vuro
