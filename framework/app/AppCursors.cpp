// Which mouse cursor shows. Over the client area: the image of the current cursor number when
// custom cursors are on (a colour cursor made from it), the no-entry cursor while a demo plays
// back (the real mouse does nothing then), else the cursor of the number. Elsewhere, or after
// a crash, the arrow. The window system is asked only when the choice changes.
//
// The display draws the cursor image itself only during playback, where it stands at the replayed
// position and the system cursor (no entry) stands for the real mouse; at other times a drawn
// cursor beside the system one would show two cursors, the drawn one lagging behind the mouse.
//
// The loading work sets cursors too (the game hands over its aiming cursors while a level loads):
// away from the main thread a change is queued for the main thread's next frame pass, so the two
// threads never race over the cursor state and the window system.

#include "framework/app/VuroAppBase.h"

#include "framework/graphics/Image.h"
#include "platform/Threads.h"

namespace Vuro {

bool VuroAppBase::AskCursorChange(const CursorRequest& request) {
    if (mPrimaryThreadId == 0 || Platform::CurrentThreadId() == mPrimaryThreadId) {
        return false;
    }
    QueueCursorRequest(request);
    return true;
}

void VuroAppBase::ApplyCursorRequests() {
    for (const CursorRequest& request : TakeCursorRequests()) {
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
    const Platform::Cursor* choice = nullptr;
    if (mDDInterface != nullptr && !mCrashed && mMouseIn) {
        Image* image = CursorImageToShow(mPlayingDemoBuffer);
        (void)mDDInterface->SetCursorImage(mPlayingDemoBuffer ? image : nullptr);
        choice = ChooseClientCursor(mPlayingDemoBuffer, image);
    } else {
        if (mDDInterface != nullptr) {
            (void)mDDInterface->SetCursorImage(nullptr);
        }
        choice = ArrowCursor();
    }
    if (MarkShown(choice)) {
        Platform::GetWindowSystem().SetCursor(choice);
    }
}

} // namespace Vuro
