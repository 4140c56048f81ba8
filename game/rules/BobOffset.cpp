#include "game/rules/BobOffset.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void BobOffset::Reset() {
    *this = BobOffset();
}

void BobOffset::Start(int x, int y, int halfSwing, float delta) {
    mState = kFalling;
    mX = x;
    mY = y;
    mStepsLeft = 0;
    mHalfSwing = halfSwing;
    mOffset = 0.0f;
    mDelta = delta;
}

void BobOffset::Tick(int tick) {
    if (mState == kStopped || tick % kStepTicks != 0) {
        return;
    }
    if (mStepsLeft > 0) {
        mOffset += mState == kFalling ? -mDelta : mDelta;
        --mStepsLeft;
    } else {
        mState = mState == kFalling ? kRising : kFalling;
        mStepsLeft = 2 * mHalfSwing;
    }
    SetRedrawNeeded();
}

} // namespace Vuro
