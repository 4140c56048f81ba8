#include "game/rules/Drifter.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void Drifter::Reset() {
    *this = Drifter();
}

void Drifter::Start(int x, int y, int stopX) {
    mState = kDrifting;
    mX = x;
    mY = y;
    mStopX = stopX;
}

void Drifter::SetHeld(bool held) {
    mState = held ? kHeld : kDrifting;
}

void Drifter::Tick(int tick) {
    if (mState == kGone) {
        return;
    }
    if (tick % kFrameTicks == 0) {
        mFrame ^= 1;
        SetRedrawNeeded();
    }
    if (tick % kMoveTicks == 0 && mState != kHeld) {
        if (mX > mStopX) {
            --mX;
        } else {
            mX = kWrapX;
        }
        SetRedrawNeeded();
    }
}

} // namespace Vuro
