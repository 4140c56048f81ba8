#include "game/rules/BobOffset.h"

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

bool BobOffset::Tick(int tick) {
    if (mState == kStopped || tick % kStepTicks != 0) {
        return false;
    }
    if (mStepsLeft > 0) {
        mOffset += mState == kFalling ? -mDelta : mDelta;
        --mStepsLeft;
    } else {
        mState = mState == kFalling ? kRising : kFalling;
        mStepsLeft = 2 * mHalfSwing;
    }
    return true;
}

} // namespace Vuro
