#include "game/rules/Hedgehog.h"

#include "game/rules/GameSeconds.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/RedrawFlag.h"

namespace Vuro {

namespace {

constexpr int kEnterLeftX = -50;
constexpr int kEnterRightX = kFieldWidth;
constexpr int kLeaveLeftX = -60;
constexpr int kLeaveRightFromX = 320;

int Alternate(int frame, int first, int second) {
    return frame == first ? second : first;
}

} // namespace

void Hedgehog::Reset() {
    mStunned = false;
    mState = None;
    mX = -1;
    mY = -1;
    mTargetX = -1;
    mTargetY = -1;
    mCarried = {};
    mCarriedX = 0;
    mCarriedY = 0;
    mFacing = FacingRight;
    mFrame = 0;
    mPause = 0;
    mCarrying = false;
    mScared = false;
}

void Hedgehog::Start(int x, int y, int targetX, int targetY) {
    Reset();
    mX = x;
    mY = y;
    mTargetX = targetX;
    mTargetY = targetY;
    ChooseDirection();
}

void Hedgehog::StartAcross() {
    if ((Rand() & 1) != 0) {
        Start(kEnterLeftX, kWalkY, kEnterRightX, kWalkY);
    } else {
        Start(kEnterRightX, kWalkY, kEnterLeftX, kWalkY);
    }
}

void Hedgehog::ChooseDirection() {
    if (mX <= mTargetX) {
        mState = WalkingRight;
        mFrame = 0;
        mFacing = FacingRight;
    } else {
        mState = WalkingLeft;
        mFrame = 3;
        mFacing = FacingLeft;
    }
}

bool Hedgehog::IsHeadingRight() const {
    return mState == WalkingRight || mState == SniffingFromLeft || mState == LeavingRight;
}

bool Hedgehog::IsBusy() const {
    return !IsHeadingRight();
}

void Hedgehog::Sniff() {
    if (mPause >= 1 || (mState != WalkingRight && mState != WalkingLeft)) {
        return;
    }
    mPause = kSniffSeconds;
    if (mState == WalkingRight) {
        mState = SniffingFromLeft;
        mFrame = 2;
    } else {
        mState = SniffingFromRight;
        mFrame = 1;
    }
}

bool Hedgehog::IsAtTree(int treeX, int treeWidth) const {
    const int middle = treeX + treeWidth / 2;
    if (mState == WalkingLeft) {
        return mX == middle;
    }
    if (mState == WalkingRight) {
        const int right = mX + kWidth;
        return mX >= treeX && right >= middle && right < treeX + treeWidth;
    }
    return false;
}

void Hedgehog::Carry(int x, int y, int cellId, int state, int kind, int picture) {
    mCarrying = true;
    mCarriedX = x;
    mCarriedY = y;
    mCarried = {kind, state, picture, cellId};
}

void Hedgehog::Leave() {
    if (mX >= kLeaveRightFromX) {
        mState = LeavingRight;
        mTargetX = kEnterRightX;
        // It turns to face the way it goes rather than walking off backwards.
        mFrame = 0;
        mFacing = FacingRight;
    } else {
        mState = LeavingLeft;
        mTargetX = kLeaveLeftX;
        mFrame = 3;
        mFacing = FacingLeft;
    }
    mCarrying = false;
    mCarried.mCellId = 0;
}

void Hedgehog::Scare() {
    mScared = true;
    mPause = kScaredSeconds;
    mStunned = false;
    if (mFacing == FacingRight) {
        mFrame = 4;
    } else {
        mFrame = 0;
    }
}

void Hedgehog::SetCarrying(bool carrying) {
    mCarrying = carrying;
    if (!carrying) {
        mCarried.mCellId = 0;
        if (mState != None && mState != Gone) {
            ChooseDirection();
        }
    }
}

void Hedgehog::StepStunned() {
    SetRedrawNeeded();
    if (mFrame > 2) {
        mFrame = mFrame >= 5 ? 3 : mFrame + 1;
    } else {
        mFrame = mFrame >= 2 ? 0 : mFrame + 1;
    }
    mFacing = FacingRight;
}

void Hedgehog::StepFrame() {
    SetRedrawNeeded();
    switch (mState) {
    case WalkingRight:
    case LeavingRight:
        mFrame = Alternate(mFrame, 0, 1);
        break;
    case WalkingLeft:
    case LeavingLeft:
        mFrame = Alternate(mFrame, 3, 4);
        break;
    case SniffingFromLeft:
        mFrame = Alternate(mFrame, 2, 3);
        break;
    default: // sniffing after walking left
        mFrame = Alternate(mFrame, 1, 2);
        break;
    }
}

void Hedgehog::Walk() {
    if (mState == SniffingFromLeft || mState == SniffingFromRight) {
        if (mPause > 0) {
            return;
        }
        mState = mState == SniffingFromLeft ? WalkingRight : WalkingLeft;
        mPause = kAfterSniffSeconds;
    }
    SetRedrawNeeded();
    if (IsHeadingRight()) {
        if (mX < mTargetX) {
            ++mX;
        }
        if (mX >= mTargetX) {
            mState = Gone;
        }
    } else {
        if (mX > mTargetX) {
            --mX;
        }
        if (mX <= mTargetX) {
            mState = Gone;
        }
    }
}

int Hedgehog::Tick(int tick) {
    if (mState == None) {
        return TickNothing;
    }
    if (mStunned) {
        if (tick % kStunPeriod == 0) {
            StepStunned();
        }
        return TickNothing;
    }
    CountSecondDown(tick, mPause);
    if (mScared) {
        if (mPause > 0) {
            return TickNothing;
        }
        mScared = false;
        mPause = kAfterScareSeconds;
        if (mState == SniffingFromLeft) {
            mState = WalkingRight;
        } else if (mState == SniffingFromRight) {
            mState = WalkingLeft;
        }
        mFrame = mFacing == FacingRight ? 1 : 4;
        SetRedrawNeeded();
    }
    if (mState == Gone) {
        return TickGone;
    }
    if (tick % kFramePeriod == 0) {
        StepFrame();
    }
    if (tick % kStepPeriod == 0) {
        Walk();
    }
    return TickNothing;
}

} // namespace Vuro
