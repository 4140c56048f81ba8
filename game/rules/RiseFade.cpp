#include "game/rules/RiseFade.h"

#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void RiseFade::Reset() {
    *this = RiseFade();
}

void RiseFade::Start(int seconds) {
    mActive = true;
    mOffset = kHiddenOffset;
    mLimit = 0;
    mSeconds = seconds;
    mPhase = kSlidingIn;
}

void RiseFade::Tick(int tick) {
    if (!mActive || mPhase == kIdle) {
        return;
    }
    if (mPhase == kStaying) {
        CountSecondDown(tick, mSeconds);
        if (mSeconds <= 0) {
            mPhase = kSlidingOut;
        }
    }
    if (tick % 2 != 0) {
        return;
    }
    if (mPhase == kSlidingIn) {
        if (++mOffset >= mLimit) {
            mPhase = kStaying;
        }
        SetRedrawNeeded();
    } else if (mPhase == kSlidingOut) {
        if (--mOffset < kHiddenOffset + 1) {
            mActive = false;
            mPhase = kIdle;
        }
        SetRedrawNeeded();
    }
}

} // namespace Vuro
