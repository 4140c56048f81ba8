#include "framework/app/CursorState.h"

#include "framework/widgets/WidgetHost.h"

namespace Vuro {

void CursorState::QueueCursorRequest(const CursorRequest& request) {
    ScopedLock lock(mCursorRequestLock);
    mCursorRequests.push_back(request);
    mCursorRequested = true;
}

std::vector<CursorState::CursorRequest> CursorState::TakeCursorRequests() {
    std::vector<CursorRequest> requests;
    // The flag spares the main thread the lock on every frame pass.
    if (mCursorRequested.exchange(false)) {
        ScopedLock lock(mCursorRequestLock);
        requests.swap(mCursorRequests);
    }
    return requests;
}

CursorSet& CursorState::Cursors() {
    if (mCursorSet == nullptr) {
        mCursorSet = std::make_unique<CursorSet>();
    }
    return *mCursorSet;
}

Image* CursorState::CursorImageToShow(bool playing) const {
    bool known = mCursorNum >= 0 && mCursorNum < kCursorImageCount;
    Image* image = known ? mCursorImages[mCursorNum] : nullptr;
    return mCustomCursorsEnabled || playing ? image : nullptr;
}

const Platform::Cursor* CursorState::ChooseClientCursor(bool playing, Image* image) {
    if (playing) {
        return Cursors().Shape(static_cast<int>(CursorKind::kNoEntry));
    }
    if (mCursorNum == static_cast<int>(CursorKind::kNone)) {
        return nullptr;
    }
    const Platform::Cursor* choice = image != nullptr ? Cursors().FromImage(image) : nullptr;
    return choice != nullptr ? choice : Cursors().Shape(mCursorNum);
}

const Platform::Cursor* CursorState::ArrowCursor() {
    return Cursors().Shape(static_cast<int>(CursorKind::kArrow));
}

bool CursorState::MarkShown(const Platform::Cursor* choice) {
    int generation = Cursors().Generation();
    if (mCursorShown && choice == mShownCursor && mShownCursorGeneration == generation) {
        return false;
    }
    mCursorShown = true;
    mShownCursor = choice;
    mShownCursorGeneration = generation;
    return true;
}

} // namespace Vuro
