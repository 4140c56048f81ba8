#include "game/rules/LoopAnim.h"

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
    bool changed = false;
    if (!mActive) {
        return false;
    }
    if (mSecondsLeft < 1 && mFrame == 0) {
        mActive = false;
        return true;
    }
    if (tick % kFrameTicks == 0) {
        if (mFrame < kLastFrame) {
            ++mFrame;
        } else {
            mFrame = 0;
            mLooping = false;
        }
        changed = true;
    }
    CountSecondDown(tick, mSecondsLeft);
    return changed;
}

} // namespace Vuro
