#include "game/rules/Drifter.h"

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

bool Drifter::Tick(int tick) {
    bool changed = false;
    if (mState == kGone) {
        return false;
    }
    if (tick % kFrameTicks == 0) {
        mFrame ^= 1;
        changed = true;
    }
    if (tick % kMoveTicks == 0 && mState != kHeld) {
        if (mX > mStopX) {
            --mX;
        } else {
            mX = kWrapX;
        }
        changed = true;
    }
    return changed;
}

} // namespace Vuro
