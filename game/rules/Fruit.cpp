#include "game/rules/Fruit.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {
constexpr int kGrowingLastPicture = 3;
constexpr int kRotFramesHeld = 4;
constexpr int kRotFramesLying = 3;
} // namespace

void Fruit::Start(int kind, int x, int y, int cellId) {
    mKind = kind;
    mX = x;
    mY = y;
    mCellId = cellId;
    mSwayRight = (Rand() & 1) != 0;
    mState = Growing;
    mSecondsLeft = FruitStateDurations(Growing);
    mPicture = 0;
    mHeld = false;
    mRotFrame = 0;
}

void Fruit::Advance() {
    if (mHeld || mState == Finished) {
        return;
    }
    SetRedrawNeeded();
    switch (mState) {
    case Growing:
        mState = Ripening;
        mPicture = 1;
        break;
    case Ripening:
        mState = RipeningLate;
        mPicture = 2;
        break;
    case RipeningLate:
        mState = Ripe;
        mPicture = mGolden ? kGoldenPicture : 2;
        break;
    case Ripe:
        mState = FallingFromTree;
        mPicture = 3;
        break;
    case FallingFromTree:
        mState = OnGround;
        mPicture = 3;
        break;
    case OnGround:
        mState = Rotting;
        mPicture = 4;
        mRestX = mX;
        mRestY = mY - kRestYAbove;
        mRotFrame = 0;
        break;
    case Rotting:
    case UnripeLanded:
        mState = Finished;
        mPicture = -1;
        break;
    default: // an unripe knocked-down fruit stays as it is
        break;
    }
}

void Fruit::SetDuration() {
    if (mLongLife && mState == RipeningLate) {
        mSecondsLeft = kLongRipeningSeconds;
    } else if (mLongLife && mState == Rotting) {
        mSecondsLeft = kLongLifeRotSeconds;
    } else {
        mSecondsLeft = FruitStateDurations(mState);
    }
}

void Fruit::SetState(int state) {
    if (state == RipeningLate && mLongLife) {
        mState = Ripening;
        Advance();
    } else {
        mState = state;
    }
    SetDuration();
}

void Fruit::SetHeld(bool held) {
    if (held) {
        mHeld = true;
    } else {
        mState = Finished;
        mHeld = false;
    }
}

void Fruit::KnockDown(int x, int y) {
    mGolden = false;
    if (mPicture == kGoldenPicture) {
        mPicture = 3;
    }
    if (mState == Growing) {
        mState = UnripeKnocked;
        mPicture = 1;
    }
    mFalling = true;
    mX = x;
    mY = y;
}

void Fruit::SwayStep() {
    int step = mSwayRight ? 1 : -1;
    mX += step;
    mY += step;
    mSwayRight = !mSwayRight;
    SetRedrawNeeded();
}

void Fruit::Sway(int tick) {
    // A held fruit moves with whatever holds it.
    if (tick % kAnimPeriod == 0 && mState == Ripe && !mFalling && !mHeld) {
        SwayStep();
    }
}

int Fruit::TickFalling() {
    mY += 1;
    SetRedrawNeeded();
    if (mState != Growing && mState != UnripeKnocked) {
        if (mY > kGroundY - 1) {
            mFalling = false;
            mState = FallingFromTree;
            mSecondsLeft = 0;
        }
        return TickNothing;
    }
    if (mY > kUnripeGroundY) {
        mFalling = false;
        mState = UnripeLanded;
        SetDuration();
        return TickUnripeLanded;
    }
    return TickNothing;
}

int Fruit::TickSeconds(int tick) {
    if (tick % kAnimPeriod == 0) {
        if (mState == Rotting) {
            mRotFrame = mRotFrame + 1 < kRotFramesLying ? mRotFrame + 1 : 0;
            SetRedrawNeeded();
        } else if (mState == Ripe) {
            SwayStep();
        }
    }
    if (tick % kTicksPerSecond != 0) {
        return TickNothing;
    }
    if (mSecondsLeft > 0) {
        mSecondsLeft -= 1;
        if (mState == Growing && mPicture < kGrowingLastPicture) {
            mPicture += 1;
            SetRedrawNeeded();
        }
        return TickNothing;
    }
    Advance();
    SetDuration();
    switch (mState) {
    case FallingFromTree:
        return TickCameOffTree;
    case OnGround:
        return TickCameToRest;
    case Rotting:
        return TickBeganToRot;
    case Ripe:
        return TickBecameRipe;
    default:
        return TickNothing;
    }
}

int Fruit::Tick(int tick) {
    if (mFalling && !mHeld) {
        return TickFalling();
    }
    if (mState == Finished || mHeld) {
        if (mHeld && mState == Rotting && tick % kAnimPeriod == 0) {
            mRotFrame = (mRotFrame + 1) % kRotFramesHeld;
            SetRedrawNeeded();
        }
        return TickNothing;
    }
    if (mState == FallingFromTree) {
        if (mY < kGroundY) {
            mY += 1;
            SetRedrawNeeded();
            return TickNothing;
        }
        Advance();
        SetDuration();
        return TickCameToRest;
    }
    return TickSeconds(tick);
}

} // namespace Vuro
