#include "game/rules/LoopAnim.h"

#include "game/rules/FrameStep.h"
#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

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

void LoopAnim::Tick(int tick) {
    if (!mActive) {
        return;
    }
    if (mSecondsLeft < 1 && mFrame == 0) {
        mActive = false;
        SetRedrawNeeded();
        return;
    }
    const FrameStep step = StepFrame(tick, kFrameTicks, kLastFrame, mFrame);
    if (step == FrameStep::Wrapped) {
        mLooping = false;
    }
    CountSecondDown(tick, mSecondsLeft);
    if (step != FrameStep::None) {
        SetRedrawNeeded();
    }
}

} // namespace Vuro
