#pragma once
// The cursor state of the application: the cursor number asked for, the six cursor images,
// whether custom cursors are on, the cursors made so far, what was last shown, and the changes
// other threads asked for. The application is built on it, so its fields keep the names the
// game and the tests read on the application; its cursor operations ask this part which
// cursor to show and show it.
//
// What callers can rely on:
// - Over the client area: while a demo plays back the no-entry cursor; else, for any number but
//   kNone, the colour cursor of the number's image when one is to be shown, or the number's
//   shape. Elsewhere the arrow.
// - MarkShown answers true only when the choice differs from what was shown last (or the
//   cursor set made or let go a colour cursor since), so the window system is asked only then.
// - Requests queued on any thread come back from TakeRequests once, in the order queued.

#include "framework/app/CursorSet.h"
#include "framework/util/LockSection.h"

#include <atomic>
#include <memory>
#include <vector>

namespace Vuro {

class Image;

class CursorState {
public:
    static constexpr int kCursorImageCount = 6;

    // A cursor change asked for away from the main thread.
    struct CursorRequest {
        int mImageIndex; // 0..5: SetCursorImage (mImageIndex, mImage); -1: SetCursor (mNumber)
        Image* mImage;
        int mNumber;
    };
    void QueueCursorRequest(const CursorRequest& request);
    std::vector<CursorRequest> TakeCursorRequests();

    // The image of the cursor number when it is to be shown (custom cursors on, or a demo
    // playing back), else null.
    Image* CursorImageToShow(bool playing) const;
    // The cursor over the client area, image as CursorImageToShow answered; null hides it.
    const Platform::Cursor* ChooseClientCursor(bool playing, Image* image);
    const Platform::Cursor* ArrowCursor();
    bool MarkShown(const Platform::Cursor* choice);

    // ---- [Fields] ----
    int mCursorNum = 0;                           // the cursor asked for (SetCursor)
    Image* mCursorImages[kCursorImageCount] = {}; // not owned
    bool mCustomCursorsEnabled = false;
    std::unique_ptr<CursorSet> mCursorSet;          // the cursors shown, made on first use
    const Platform::Cursor* mShownCursor = nullptr; // what was shown last (null hidden)
    bool mCursorShown = false;                      // a cursor has been shown
    int mShownCursorGeneration = 0;                 // the cursor set's generation then

private:
    CursorSet& Cursors();

    LockSection mCursorRequestLock;
    std::vector<CursorRequest> mCursorRequests;
    std::atomic<bool> mCursorRequested{false};
};

} // namespace Vuro
