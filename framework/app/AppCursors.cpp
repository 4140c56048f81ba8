// Which mouse cursor shows. Over the client area: the image of the current cursor number when
// custom cursors are on (a colour cursor made from it), the no-entry cursor while a demo plays
// back (the real mouse does nothing then), else the cursor of the number. Elsewhere, or after
// a crash, the arrow. The window system is asked only when the choice changes.
//
// Mended: the loading work sets cursors too (the game hands over its aiming cursors while a
// level loads); away from the main thread a change is now queued for the main thread's next
// frame pass instead of racing it over the cursor state and the window system.

#include "framework/app/VuroAppBase.h"

#include "framework/graphics/Image.h"
#include "platform/Threads.h"

namespace Vuro {

namespace {
constexpr int kCursorImageCount = 6;
} // namespace

bool VuroAppBase::AskCursorChange(const CursorRequest& request) {
    if (mPrimaryThreadId == 0 || Platform::CurrentThreadId() == mPrimaryThreadId) {
        return false;
    }
    ScopedLock lock(mCursorRequestLock);
    mCursorRequests.push_back(request);
    mCursorRequested = true;
    return true;
}

void VuroAppBase::ApplyCursorRequests() {
    if (!mCursorRequested.exchange(false)) {
        return;
    }
    std::vector<CursorRequest> requests;
    {
        ScopedLock lock(mCursorRequestLock);
        requests.swap(mCursorRequests);
    }
    for (const CursorRequest& request : requests) {
        if (request.mImageIndex >= 0) {
            SetCursorImage(request.mImageIndex, request.mImage);
        } else {
            SetCursor(request.mNumber);
        }
    }
}

void VuroAppBase::SetCursor(int cursorNum) {
    if (AskCursorChange({-1, nullptr, cursorNum})) {
        return;
    }
    mCursorNum = cursorNum;
    UpdateCursor();
}

void VuroAppBase::UseCustomCursors(bool use) {
    mCustomCursorsEnabled = use;
    UpdateCursor();
}

void VuroAppBase::SetCursorImage(int index, Image* image) {
    if (index < 0 || index >= kCursorImageCount || AskCursorChange({index, image, 0})) {
        return;
    }
    if (mCursorImages[index] != image && mCursorSet != nullptr) {
        mCursorSet->ForgetImage(mCursorImages[index]);
    }
    mCursorImages[index] = image;
    UpdateCursor();
}

void VuroAppBase::UpdateCursor() {
    if (mCursorSet == nullptr) {
        mCursorSet = std::make_unique<CursorSet>();
    }
    const Platform::Cursor* choice = nullptr;
    if (mDDInterface != nullptr && !mCrashed && mMouseIn) {
        bool known = mCursorNum >= 0 && mCursorNum < kCursorImageCount;
        Image* image = known ? mCursorImages[mCursorNum] : nullptr;
        bool useImage = image != nullptr && (mCustomCursorsEnabled || mPlayingDemoBuffer);
        (void)mDDInterface->SetCursorImage(useImage ? image : nullptr);
        if (mPlayingDemoBuffer) {
            choice = mCursorSet->Shape(static_cast<int>(CursorKind::kNoEntry));
        } else if (mCursorNum != static_cast<int>(CursorKind::kNone)) {
            choice = useImage ? mCursorSet->FromImage(image) : nullptr;
            if (choice == nullptr) {
                choice = mCursorSet->Shape(mCursorNum);
            }
        }
    } else {
        if (mDDInterface != nullptr) {
            (void)mDDInterface->SetCursorImage(nullptr);
        }
        choice = mCursorSet->Shape(0);
    }
    if (mCursorShown && choice == mShownCursor &&
        mShownCursorGeneration == mCursorSet->Generation()) {
        return;
    }
    mCursorShown = true;
    mShownCursor = choice;
    mShownCursorGeneration = mCursorSet->Generation();
    Platform::GetWindowSystem().SetCursor(choice);
}

} // namespace Vuro
