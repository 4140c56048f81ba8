#include "game/rules/EdgeWalker.h"

#include "game/rules/GameSeconds.h"
#include "game/rules/RedrawFlag.h"

#include "framework/util/MersenneTwister.h"

namespace Vuro {

void EdgeWalker::Reset() {
    mState = Absent;
    mX = -1;
    mY = -1;
    mTargetX = -1;
    mFrame = 0;
    mSecondsLeft = 0;
}

void EdgeWalker::Start(int x, int y, int targetX, int seconds) {
    mState = x > targetX ? MovingLeft : MovingRight;
    mX = x;
    mY = y;
    mTargetX = targetX;
    mSecondsLeft = seconds;
}

void EdgeWalker::StartSweep() {
    if (IsPresent()) {
        SetLifetime(kRenewSeconds);
        return;
    }
    const int targetX = (Rand() & 1) != 0 ? kRightTurn : kLeftTurn;
    Start(kSweepX, kSweepY, targetX, kSweepSeconds);
}

int EdgeWalker::GetRightEdge() const {
    return mX + (mState == MovingRight ? 32 : 42);
}

int EdgeWalker::Tick(int tick) {
    if (mState == Absent) {
        return TickNothing;
    }
    if (mSecondsLeft < 1) {
        mState = Absent;
        SetRedrawNeeded();
        return TickGone;
    }
    if (tick % kFramePeriod == 0) {
        mFrame ^= 1;
        SetRedrawNeeded();
    }
    if (tick % kMovePeriod == 0) {
        SetRedrawNeeded();
        if (mState == MovingLeft) {
            if (mX > mTargetX) {
                mX -= kStep;
            } else {
                mTargetX = kRightTurn;
                mState = MovingRight;
            }
        } else if (mX < mTargetX) {
            mX += kStep;
        } else {
            mTargetX = kLeftTurn;
            mState = MovingLeft;
        }
    }
    CountSecondDown(tick, mSecondsLeft);
    return TickNothing;
}

} // namespace Vuro
