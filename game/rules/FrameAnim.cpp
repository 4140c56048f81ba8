#include "game/rules/FrameAnim.h"

#include "game/rules/FrameStep.h"
#include "game/rules/RedrawFlag.h"

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

void FrameAnim::Tick(int tick) {
    if (mState == kLooping && StepFrame(tick, mPeriod, mMaxFrame, mFrame) != FrameStep::None) {
        SetRedrawNeeded();
    }
}

} // namespace Vuro
