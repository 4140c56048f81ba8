#include "game/rules/Bouncer.h"

#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {

bool IsUp(int direction) {
    return direction == Bouncer::kUpLeft || direction == Bouncer::kUpRight;
}

bool IsDown(int direction) {
    return direction == Bouncer::kDownLeft || direction == Bouncer::kDownRight;
}

bool IsLeft(int direction) {
    return direction == Bouncer::kUpLeft || direction == Bouncer::kDownLeft;
}

bool IsRight(int direction) {
    return direction == Bouncer::kUpRight || direction == Bouncer::kDownRight;
}

// Up and down differ by 2, left and right by 1 (see the direction numbers).
int TurnedDown(int direction) {
    return IsUp(direction) ? direction + 2 : direction;
}

int TurnedUp(int direction) {
    return IsDown(direction) ? direction - 2 : direction;
}

int TurnedRight(int direction) {
    return IsLeft(direction) ? direction + 1 : direction;
}

int TurnedLeft(int direction) {
    return IsRight(direction) ? direction - 1 : direction;
}

} // namespace

void Bouncer::Reset() {
    *this = Bouncer();
}

void Bouncer::Start(int x, int y, int kind, int seconds) {
    mActive = true;
    mX = x;
    mY = y;
    mKind = kind;
    mSecondsLeft = seconds;
    mAge = 0;
    mDirection = x < 320 ? kUpRight : kUpLeft;
}

void Bouncer::Tick(int tick) {
    if (!mActive) {
        // An ended item is drawn until its kind says it is erased.
        if (mKind != kErased) {
            mKind = kErased;
            SetRedrawNeeded();
        }
        return;
    }
    if (mSecondsLeft < 0) {
        mActive = false;
        SetRedrawNeeded();
        return;
    }
    if (tick % 2 == 0) {
        if (mDirection < kUpLeft || mDirection > kStill) {
            mActive = false;
            SetRedrawNeeded();
            return;
        }
        const int dy = IsUp(mDirection) ? -kStep : IsDown(mDirection) ? kStep : 0;
        const int dx = IsLeft(mDirection) ? -kStep : IsRight(mDirection) ? kStep : 0;
        int turned = mDirection;
        mY += dy;
        if (mY < 0) {
            turned = TurnedDown(mDirection);
        } else if (mY > kMaxY) {
            turned = TurnedUp(mDirection);
        }
        mX += dx;
        // Turned from the direction of this move, so in a corner the x turn replaces the y turn.
        if (mX < 0) {
            turned = TurnedRight(mDirection);
        } else if (mX > kMaxX) {
            turned = TurnedLeft(mDirection);
        }
        mDirection = turned;
        SetRedrawNeeded();
    }
    if (tick % kAgeTicks == 0) {
        ++mAge;
    }
    CountSecondDown(tick, mSecondsLeft);
}

} // namespace Vuro
