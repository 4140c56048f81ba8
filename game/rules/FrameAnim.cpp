#include "game/rules/FrameAnim.h"

namespace Vuro {

void FrameAnim::Reset() {
    *this = FrameAnim();
}

void FrameAnim::Start(int x, int y, bool looping, int period, int maxFrame) {
    mState = looping ? kLooping : kStill;
    mX = x;
    mY = y;
    mPeriod = period < 1 ? 1 : period;
    mMaxFrame = maxFrame;
    mFrame = 0;
}

bool FrameAnim::Tick(int tick) {
    if (mState != kLooping || tick % mPeriod != 0) {
        return false;
    }
    mFrame = mFrame < mMaxFrame ? mFrame + 1 : 0;
    return true;
}

} // namespace Vuro
