#include "game/rules/Bird.h"

#include "game/rules/FieldGeometry.h"
#include "game/rules/Fruit.h"
#include "game/rules/RedrawFlag.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr int kRightExit = kFieldWidth;
constexpr int kGiveUpLeftExit = -80;
constexpr int kFlyAwayLeftExit = -60;
constexpr int kGiveUpY = 250;
constexpr int kFlyAwayRightFromY = 320;
constexpr int kAimAboveFruit = 15;
constexpr int kAimRightOfFruit = 10;
constexpr int kStunnedLeftFrame = 4;
constexpr int kStunnedLastFrame = 7;

bool IsSmall(int kind) {
    return kind == Bird::Plain || kind == Bird::White;
}

int StoredPicture(int picture) {
    return picture == Fruit::kGoldenPicture ? 2 : picture;
}

int StepToward(int value, int target, int step) {
    return value < target ? std::min(value + step, target) : std::max(value - step, target);
}

} // namespace

void Bird::Reset() {
    mHeld = false;
    mState = None;
    mKind = Plain;
    mX = -1;
    mY = -1;
    mTargetX = -1;
    mTargetY = -1;
    mHit = false;
    mStunned = false;
    mCarried = {};
    ForgetFruit();
    mFrame = 0;
    mSteps = 0;
    mCarrying = false;
    mHitCountdown = 0;
    mLeaveAfterHit = false;
}

void Bird::Launch(int x, int y, int targetX, int targetY, int kind) {
    Reset();
    mX = x;
    mY = y;
    mTargetX = targetX;
    mTargetY = targetY;
    mKind = kind;
    mState = FlyingRight;
    ChooseState();
}

void Bird::ChooseState() {
    if (mX > mTargetX) {
        mState = FlyingLeft;
        mFrame = LeftFlightFrame();
    } else {
        mState = FlyingRight;
        mFrame = 0;
    }
}

int Bird::LeftFlightFrame() const {
    if (mKind == Black) {
        return 4;
    }
    return mKind == Kamikaze ? 2 : 5;
}

void Bird::AimAt(const Fruit& fruit) {
    mFruitTargetX =
        IsFacingRight() ? fruit.GetX() - (GetRightEdge() - mX) : fruit.GetX() + kAimRightOfFruit;
    mFruitTargetY = fruit.GetY() - kAimAboveFruit;
    mCarried = {fruit.GetKind(), fruit.GetState(), StoredPicture(fruit.GetPicture()),
                fruit.GetCellId()};
}

void Bird::GiveUp() {
    const bool right = IsFacingRight();
    mTargetX = right ? kRightExit : kGiveUpLeftExit;
    mTargetY = kGiveUpY;
    mSteps = kLookEvery;
    ForgetFruit();
    mCarrying = false;
    if (mState == AtFruitFlyingRight) {
        mState = FlyingRight;
    } else if (mState == AtFruitFlyingLeft) {
        mState = FlyingLeft;
    }
}

void Bird::FlyAway() {
    if (mY >= kFlyAwayRightFromY) {
        mState = LeavingRight;
        mTargetX = kRightExit;
    } else {
        mState = LeavingLeft;
        mTargetX = kFlyAwayLeftExit;
        mFrame = LeftFlightFrame();
    }
    ForgetFruit();
    mCarrying = false;
}

void Bird::ForgetFruit() {
    mFruitTargetX = -1;
    mFruitTargetY = -1;
    mCarried.mCellId = 0;
}

void Bird::SetHit(bool hit) {
    mHit = hit;
    if (hit) {
        mHitCountdown = kHitCountdown;
    }
}

void Bird::SetStunned(bool stunned) {
    mStunned = stunned;
    mHitCountdown = 0;
    if (stunned) {
        mFrame = IsFacingRight() ? 0 : kStunnedLeftFrame;
    }
}

void Bird::SetCarrying(bool carrying) {
    mCarrying = carrying;
    if (!carrying) {
        ForgetFruit();
    }
    // A bird hovering at its fruit flies on; a leaving or gone bird keeps its course.
    if (mState >= FlyingRight && mState <= AtFruitFlyingRight) {
        ChooseState();
    }
}

void Bird::SetCarried(int state, int picture) {
    mCarried.mState = state;
    mCarried.mPicture = StoredPicture(picture);
}

bool Bird::IsFacingRight() const {
    return mState == FlyingRight || mState == AtFruitFlyingRight || mState == LeavingRight;
}

int Bird::GetRightEdge() const {
    if (IsSmall(mKind)) {
        return mX + 59;
    }
    return mX + (mKind == Black ? 63 : 77);
}

int Bird::GetBottom() const {
    if (IsSmall(mKind)) {
        return mY + 42;
    }
    return mY + (mKind == Black ? 43 : 35);
}

int Bird::GetBeakY() const {
    if (IsSmall(mKind)) {
        return mY + 19;
    }
    return mKind == Black ? mY + 20 : mY;
}

int Bird::GetCarriedX() const {
    if (mState == FlyingRight) {
        return mX + (IsSmall(mKind) ? 37 : 42);
    }
    return mX + (IsSmall(mKind) ? 2 : 0);
}

int Bird::GetCarriedY() const {
    return mY + (IsSmall(mKind) ? 23 : 24);
}

int Bird::Speed() const {
    if (mKind == Black) {
        return 2;
    }
    return mKind == Kamikaze ? 3 : 1;
}

void Bird::Flap() {
    SetRedrawNeeded();
    int first = 0;
    int last = 4;
    if (mKind == Black) {
        last = 3;
    } else if (mKind == Kamikaze) {
        last = 1;
    }
    if (!IsFacingRight()) {
        const int span = last + 1;
        first += span;
        last += span;
    }
    mFrame = mFrame >= first && mFrame < last ? mFrame + 1 : first;
}

void Bird::StepStunned() {
    SetRedrawNeeded();
    if (mFrame < kStunnedLeftFrame) {
        mFrame = (mFrame + 1) % kStunnedLeftFrame;
    } else {
        mFrame = mFrame >= kStunnedLastFrame ? kStunnedLeftFrame : mFrame + 1;
    }
}

bool Bird::MoveToward(int targetX, int targetY, bool moveY) {
    SetRedrawNeeded();
    mX = StepToward(mX, targetX, Speed());
    if (moveY) {
        mY = StepToward(mY, targetY, 1);
    }
    return mX == targetX && (!moveY || mY == targetY);
}

int Bird::Tick(int tick) {
    if (mState == None) {
        return TickNothing;
    }
    if (mState == Gone || mX < kMinX || mX > kMaxX) {
        return TickGone;
    }
    if (mHit && mHitCountdown > 0) {
        if (tick % kHitPeriod == 0) {
            --mHitCountdown;
            SetRedrawNeeded(); // the shot pose shows while the count is above 0
        }
        if (mHitCountdown > 0 || !mLeaveAfterHit) {
            return TickPose;
        }
        mHit = false;
        FlyAway();
    }
    if (mStunned) {
        if (tick % kStunPeriod == 0) {
            StepStunned();
        }
        return TickPose;
    }
    if (tick % kFlapPeriod == 0) {
        Flap();
    }
    if (mState == AtFruitFlyingLeft || mState == AtFruitFlyingRight) {
        return TickAtFruit;
    }
    if (mHeld) {
        return TickNothing;
    }

    const bool leaving = mState == LeavingLeft || mState == LeavingRight;
    if (!leaving && HasFruitTarget() && !mCarrying) {
        if (MoveToward(mFruitTargetX, mFruitTargetY, true)) {
            mState = IsFacingRight() ? AtFruitFlyingRight : AtFruitFlyingLeft;
            return TickAtFruit;
        }
    } else if (MoveToward(mTargetX, mY, false)) {
        mState = Gone;
        return TickGone;
    }
    if (mKind == Kamikaze) {
        return TickAtFruit;
    }
    if (++mSteps >= kLookEvery) {
        mSteps = 0;
        return TickLook;
    }
    return TickNothing;
}

} // namespace Vuro
