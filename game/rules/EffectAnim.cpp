#include "game/rules/EffectAnim.h"

#include "game/rules/FrameStep.h"
#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

void EffectAnim::Reset() {
    *this = EffectAnim();
}

void EffectAnim::SetPos(int x, int y) {
    mX = x;
    mY = y;
}

void EffectAnim::Start(int seconds) {
    mActive = true;
    mFrame = 0;
    mCycles = 0;
    mSecondsLeft = seconds;
}

void EffectAnim::Tick(int tick) {
    if (!mActive) {
        return;
    }
    if (mSecondsLeft < 1) {
        mActive = false;
        SetRedrawNeeded();
        return;
    }
    const FrameStep step = StepFrame(tick, kFrameTicks, kLastFrame, mFrame);
    if (step == FrameStep::Wrapped && ++mCycles >= kCycles) {
        mActive = false;
    }
    CountSecondDown(tick, mSecondsLeft);
    if (step != FrameStep::None) {
        SetRedrawNeeded();
    }
}

} // namespace Vuro
