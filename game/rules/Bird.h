#pragma once
// A bird of the play field: it flies across at a fixed height, may aim at a ripe fruit, hover
// at it and carry it off, and can be struck by a stone (a short hit pose, then it flies away)
// or stunned by lightning. A plain record the play field keeps in its bird vector; the field
// launches it, ticks it, tests it against stones and fruit (BirdRules) and draws it.
//
// Tick moves it one step a tick and reports what the field must do (the TickResult values).
// Wings flap every 15 ticks. Each move, flap and change of pose sets the redraw flag
// (RedrawFlag.h).

#include "game/rules/CarriedFruit.h"
#include "game/rules/FieldGeometry.h"

namespace Vuro {

class Fruit;

class Bird {
public:
    enum State {
        None = -1,
        FlyingRight = 0,
        FlyingLeft = 1,
        AtFruitFlyingLeft = 2,  // hovering at its fruit, reached while flying left
        AtFruitFlyingRight = 3, // hovering at its fruit, reached while flying right
        Gone = 4,
        LeavingLeft = 5,
        LeavingRight = 6,
    };

    enum Kind { Plain = 0, Black = 1, White = 2, Kamikaze = 3 };
    static_assert(Kamikaze + 1 == kBirdKinds);

    enum TickResult {
        TickNothing = 0,
        TickAtFruit = 1, // at its fruit, or a kamikaze bird that just moved
        TickGone = 2,    // the field erases it (and the fruit it carries)
        TickLook = 3,    // time to look for a fruit to aim at
        TickPose = 4,    // hit or stunned pose running
    };

    static constexpr int kFlapPeriod = 15;
    static constexpr int kStunPeriod = 15;
    static constexpr int kHitPeriod = 20;
    static constexpr int kHitCountdown = 2;
    static constexpr int kLookEvery = 10; // moves between two looks for fruit
    static constexpr int kMinX = -80;     // outside -80..700 the bird is gone
    static constexpr int kMaxX = 700;

    Bird() { Reset(); }

    // State -1, every point -1, kind 0, every other field 0.
    void Reset();
    // Reset, then fly from (x, y) toward (targetX, targetY): left when x > targetX.
    void Launch(int x, int y, int targetX, int targetY, int kind);
    // Heads for fruit: beside it so that the beak meets it, 15 pixels above its top. Stores the
    // fruit's cell id, state, kind and picture (the golden picture is kept as the plain one).
    void AimAt(const Fruit& fruit);
    // Forgets its fruit and flies on off the field at height 250; it looks for another fruit
    // on its next move. A bird hovering at the fruit flies on too (a stuck bird otherwise).
    void GiveUp();
    // Leaves to the right from y 320 down, else to the left; forgets any fruit.
    void FlyAway();
    // One update tick; returns a TickResult.
    int Tick(int tick);

    // A true flag starts the hit pose for two 20-tick counts.
    void SetHit(bool hit);
    void SetLeaveAfterHit(bool leave) { mLeaveAfterHit = leave; }
    // Stops a running hit pose; a true flag takes the first stunned picture of its direction.
    void SetStunned(bool stunned);
    // The bird flies on in the direction of its target; false also forgets the fruit target.
    void SetCarrying(bool carrying);
    void SetCarried(int state, int picture);
    void ResetSteps() { mSteps = 0; }
    void SetHeld(bool held) { mHeld = held; }
    bool IsHitPending() const { return mHit && mHitCountdown > 0; }

    // Facing right: flying right, hovering after flying right, leaving right.
    bool IsFacingRight() const;
    bool HasFruitTarget() const { return mCarried.mCellId != 0; }
    // Body points of the kind.
    int GetRightEdge() const;
    int GetBottom() const;
    int GetBeakY() const;
    // Where a carried fruit is drawn (and dropped).
    int GetCarriedX() const;
    int GetCarriedY() const;

    bool IsHeld() const { return mHeld; }
    int GetState() const { return mState; }
    int GetKind() const { return mKind; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetTargetX() const { return mTargetX; }
    int GetTargetY() const { return mTargetY; }
    bool IsHit() const { return mHit; }
    bool IsStunned() const { return mStunned; }
    int GetCarriedState() const { return mCarried.mState; }
    int GetCarriedKind() const { return mCarried.mKind; }
    int GetFruitTargetX() const { return mFruitTargetX; }
    int GetFruitTargetY() const { return mFruitTargetY; }
    int GetFruitTargetId() const { return mCarried.mCellId; }
    int GetFrame() const { return mFrame; }
    int GetCarriedPicture() const { return mCarried.mPicture; }
    int GetSteps() const { return mSteps; }
    bool IsCarrying() const { return mCarrying; }
    int GetHitCountdown() const { return mHitCountdown; }
    bool IsLeaveAfterHit() const { return mLeaveAfterHit; }

private:
    void ChooseState();
    int LeftFlightFrame() const;
    void Flap();
    void StepStunned();
    int Speed() const;
    // Moves x toward target by the speed and y toward targetY by one; true when both are met.
    bool MoveToward(int targetX, int targetY, bool moveY);
    void ForgetFruit();

    bool mHeld; // decoration: animates, never moves
    int mState;
    int mKind;
    int mX; // top-left corner
    int mY;
    int mTargetX; // where the flight ends
    int mTargetY;
    bool mHit;     // struck by a stone
    bool mStunned; // struck by lightning
    // The fruit aimed at or carried; its cell id is 0 while there is none.
    CarriedFruit mCarried;
    int mFruitTargetX; // where it goes to take its fruit, -1 none
    int mFruitTargetY;
    int mFrame;
    int mSteps; // moves since the last look for fruit
    bool mCarrying;
    int mHitCountdown; // counted down every 20 ticks after a hit
    bool mLeaveAfterHit;
};

} // namespace Vuro
