#include "game/core/LoopAnim.h"

#include "game/core/RedrawFlag.h"

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
    if (tick % kFrameTicks == 0) {
        if (mFrame < kLastFrame) {
            ++mFrame;
        } else {
            mFrame = 0;
            mLooping = false;
        }
        SetRedrawNeeded();
    }
    if (tick % kSecondTicks == 0) {
        --mSecondsLeft;
    }
}

} // namespace Vuro
