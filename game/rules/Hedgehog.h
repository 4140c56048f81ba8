#pragma once
// A hedgehog: it walks across the ground, stops to sniff under trees, and carries off a fruit
// that lies on the ground (the play field hands it over with Leave, then Carry). The broom
// scares it; lightning stuns it. A plain record; every frame and pixel its tick changes sets the
// redraw flag (RedrawFlag.h).
//
// The pause counter counts whole seconds (down every 60 ticks, also below 0): sniffing lasts
// while it is above 0, and a hedgehog that sniffed walks on with 10 seconds before it can sniff
// again.

#include "game/rules/CarriedFruit.h"

namespace Vuro {

class Hedgehog {
public:
    enum State {
        None = -1,
        WalkingRight = 0,
        WalkingLeft = 1,
        SniffingFromRight = 2, // sniffing, was walking left
        SniffingFromLeft = 3,  // sniffing, was walking right
        Gone = 4,
        LeavingLeft = 5,
        LeavingRight = 6,
    };

    enum Facing { FacingRight = 0, FacingLeft = 1 };
    enum TickResult { TickNothing = 0, TickGone = 2 };

    static constexpr int kWalkY = 373;
    static constexpr int kWidth = 40;
    static constexpr int kStepPeriod = 3;
    static constexpr int kFramePeriod = 13;
    static constexpr int kStunPeriod = 15;
    static constexpr int kSniffSeconds = 6;
    static constexpr int kAfterSniffSeconds = 10;
    static constexpr int kScaredSeconds = 7;
    static constexpr int kAfterScareSeconds = 5;

    Hedgehog() { Reset(); }

    // State -1, positions -1, every other field 0.
    void Reset();
    // Reset, then walk from (x, y) toward targetX: right when x <= targetX.
    void Start(int x, int y, int targetX, int targetY);
    // Crosses the field at y 373: from -50 to 640 when one random draw is odd, else back.
    void StartAcross();
    // One update tick; TickGone once it has walked off.
    int Tick(int tick);
    // Stops to sniff for 6 seconds; only while walking and with no pause left.
    void Sniff();
    // Whether a walking hedgehog stands where it sniffs at the tree whose picture starts at
    // treeX and is treeWidth wide: walking left, x at the tree's middle; walking right, its
    // right side from the middle up to (not including) the tree's right edge.
    bool IsAtTree(int treeX, int treeWidth) const;
    // Takes the fruit's data; call after Leave, which drops any fruit.
    void Carry(int x, int y, int cellId, int state, int kind, int picture);
    // Leaves to the right from x 320 on, else to the left; drops its fruit.
    void Leave();
    // Scared by the broom: 7 seconds of standing still.
    void Scare();
    void SetStunned(bool stunned) { mStunned = stunned; }
    // False drops the fruit and walks on toward its target.
    void SetCarrying(bool carrying);
    bool IsScared() const { return mScared; }
    // False while walking right, sniffing after walking right, or leaving right.
    bool IsBusy() const;
    // Facing right: walking, sniffing or leaving right.
    bool IsHeadingRight() const;
    // Where the carried fruit is drawn.
    int GetCarriedDrawX() const { return mX + (IsHeadingRight() ? 10 : 16); }
    int GetCarriedDrawY() const { return mY - 8; }

    bool IsStunned() const { return mStunned; }
    int GetState() const { return mState; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetTargetX() const { return mTargetX; }
    int GetTargetY() const { return mTargetY; }
    int GetCarriedState() const { return mCarried.mState; }
    int GetCarriedKind() const { return mCarried.mKind; }
    int GetCarriedX() const { return mCarriedX; }
    int GetCarriedY() const { return mCarriedY; }
    int GetCarriedId() const { return mCarried.mCellId; }
    int GetFacing() const { return mFacing; }
    int GetFrame() const { return mFrame; }
    int GetCarriedPicture() const { return mCarried.mPicture; }
    int GetPause() const { return mPause; }
    bool IsCarrying() const { return mCarrying; }

private:
    void ChooseDirection();
    void StepStunned();
    void StepFrame();
    void Walk();

    bool mStunned; // struck by lightning
    int mState;
    int mX; // top-left corner
    int mY;
    int mTargetX;
    int mTargetY;
    CarriedFruit mCarried; // its cell id is 0 while it carries none
    int mCarriedX;         // where the fruit lay when it was taken
    int mCarriedY;
    int mFacing;
    int mFrame;
    int mPause; // seconds
    bool mCarrying;
    bool mScared;
};

} // namespace Vuro
