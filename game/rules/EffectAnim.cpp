#include "game/rules/EffectAnim.h"

#include "game/rules/GameSeconds.h"

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

bool EffectAnim::Tick(int tick) {
    bool changed = false;
    if (!mActive) {
        return false;
    }
    if (mSecondsLeft < 1) {
        mActive = false;
        return true;
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
        changed = true;
    }
    CountSecondDown(tick, mSecondsLeft);
    return changed;
}

} // namespace Vuro
