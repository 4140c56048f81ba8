#include "game/rules/WeatherStepper.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void WeatherStepper::Reset() {
    *this = WeatherStepper();
}

void WeatherStepper::SetPos(int x, int y) {
    mX = x;
    mY = y;
}

void WeatherStepper::SetTarget(int targetX, int targetY) {
    mTargetX = targetX;
    mTargetY = targetY;
    mState = mX > targetX ? kMovingLeft : kMovingRight;
}

void WeatherStepper::Tick(int tick) {
    if ((mState != kMovingRight && mState != kMovingLeft) || tick % kStepTicks != 0) {
        return;
    }
    // Toward the target rather than along the state, so a cloud set on its target stops at once.
    if (mX > mTargetX) {
        --mX;
    } else if (mX < mTargetX) {
        ++mX;
    }
    if (mX == mTargetX) {
        mState = kGone;
        mFrame = 0;
    } else {
        mFrame = (mFrame + 1) % kFrames;
    }
    SetRedrawNeeded();
}

} // namespace Vuro
