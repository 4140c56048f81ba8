#include "game/rules/Countdown.h"

#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

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

void Countdown::Tick(int tick) {
    if (!mActive) {
        return;
    }
    if (mSecondsLeft < 0) {
        mActive = false;
        SetRedrawNeeded();
        return;
    }
    if (tick % 2 == 0) {
        --mY;
        if (mY < 0) {
            mActive = false;
        }
        SetRedrawNeeded();
    }
    CountSecondDown(tick, mSecondsLeft);
}

} // namespace Vuro
