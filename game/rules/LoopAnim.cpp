#include "game/rules/LoopAnim.h"

#include "game/rules/FrameStep.h"
#include "game/rules/GameSeconds.h"

namespace Vuro {

void LoopAnim::Reset() {
    *this = LoopAnim();
}

void LoopAnim::Start(bool active, int seconds) {
    mActive = active;
    mSecondsLeft = seconds;
    mLooping = false;
    mFrame = 0;
}

void LoopAnim::SetLooping(bool looping) {
    mLooping = looping;
    mFrame = 0;
}

bool LoopAnim::Tick(int tick) {
    if (!mActive) {
        return false;
    }
    if (mSecondsLeft < 1 && mFrame == 0) {
        mActive = false;
        return true;
    }
    const FrameStep step = StepFrame(tick, kFrameTicks, kLastFrame, mFrame);
    if (step == FrameStep::Wrapped) {
        mLooping = false;
    }
    CountSecondDown(tick, mSecondsLeft);
    return step != FrameStep::None;
}

} // namespace Vuro
