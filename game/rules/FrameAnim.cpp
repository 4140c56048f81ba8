#include "game/rules/FrameAnim.h"

#include "game/rules/FrameStep.h"

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
    return mState == kLooping && StepFrame(tick, mPeriod, mMaxFrame, mFrame) != FrameStep::None;
}

} // namespace Vuro
