#include "game/rules/Countdown.h"

#include "game/rules/GameSeconds.h"

namespace Vuro {

void Countdown::Reset() {
    *this = Countdown();
}

void Countdown::Start(int x, int y, int value, int seconds) {
    mActive = true;
    mX = x;
    mY = y;
    mValue = value;
    mSecondsLeft = seconds;
}

bool Countdown::Tick(int tick) {
    bool changed = false;
    if (!mActive) {
        return false;
    }
    if (mSecondsLeft < 0) {
        mActive = false;
        return true;
    }
    if (tick % 2 == 0) {
        --mY;
        if (mY < 0) {
            mActive = false;
        }
        changed = true;
    }
    CountSecondDown(tick, mSecondsLeft);
    return changed;
}

} // namespace Vuro
