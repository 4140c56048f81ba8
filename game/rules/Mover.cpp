#include "game/rules/Mover.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void Mover::Reset() {
    *this = Mover();
}

void Mover::Start(int x, int y, int targetX, int targetY) {
    mState = x + 5 > targetX ? kMovingLeft : kMovingRight;
    mX = x;
    mY = y;
    mTargetX = targetX;
    mTargetY = targetY;
}

void Mover::Tick() {
    if (mState == kMovingLeft) {
        if (mX > mTargetX) {
            mX -= kStep;
        } else {
            mState = kRising;
        }
    } else if (mState == kMovingRight) {
        if (mX < mTargetX) {
            mX += kStep;
        } else {
            mState = kRising;
        }
    }
    if (mState < kRising || mState > kMovingRight) {
        return;
    }
    if (mY >= mTargetY) {
        mY -= kStep;
    } else {
        mState = kArrived;
    }
    SetRedrawNeeded();
}

} // namespace Vuro
