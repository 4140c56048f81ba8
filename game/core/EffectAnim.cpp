#include "game/core/EffectAnim.h"

#include "game/core/RedrawFlag.h"

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
    if (tick % kFrameTicks == 0) {
        if (mFrame < kLastFrame) {
            ++mFrame;
        } else {
            mFrame = 0;
            if (++mCycles >= kCycles) {
                mActive = false;
            }
        }
        SetRedrawNeeded();
    }
    if (tick % kSecondTicks == 0) {
        --mSecondsLeft;
    }
}

} // namespace Vuro
