#pragma once
// One fruit of the play field from the moment it grows on a tree until it is picked, carried
// off or rots away. A plain value the play field keeps in its fruit vector and copies freely.
//
// States: 0 finished (the field removes it), 1 growing, 2 and 3 ripening, 4 ripe (hangs and
// sways), 5 falling from the tree, 6 lying on the ground, 7 rotting, 8 an unripe fruit that has
// landed, 9 an unripe fruit knocked down. Each state lasts FruitStateDurations(state) game
// seconds; a state of n seconds ends on the (n + 1)-th second boundary after it began, since
// the count reaches 0 on one boundary and the fruit moves on at the next. Tick reports the
// moments at which the play field must act (the TickResult values); every move, sway, frame
// and picture it changes sets the redraw flag (RedrawFlag.h), as Sway and Advance do.

namespace Vuro {

class Fruit {
public:
    enum State {
        Finished = 0,
        Growing = 1,
        Ripening = 2,
        RipeningLate = 3,
        Ripe = 4,
        FallingFromTree = 5,
        OnGround = 6,
        Rotting = 7,
        UnripeLanded = 8,
        UnripeKnocked = 9,
    };

    enum TickResult {
        TickNothing = 0,
        TickCameToRest = 1,  // state 6 began
        TickCameOffTree = 2, // state 5 began
        TickBeganToRot = 3,  // state 7 began
        TickBecameRipe = 4,  // state 4 began
        TickUnripeLanded = 5,
    };

    static constexpr int kTicksPerSecond = 60;
    static constexpr int kAnimPeriod = 15;     // ticks per sway step and rotting frame
    static constexpr int kGroundY = 396;       // a fruit falling from its tree stops here
    static constexpr int kUnripeGroundY = 400; // a knocked-down unripe fruit lands below this
    static constexpr int kGoldenPicture = 5;

    // Every field 0.
    Fruit() = default;

    // A growing fruit at (x, y) in the tree cell cellId; draws one random number for the
    // direction of its first sway.
    void Start(int kind, int x, int y, int cellId);
    // One update tick; returns a TickResult.
    int Tick(int tick);
    // The next state with its picture; nothing while held or finished.
    void Advance();
    // secondsLeft from the duration table; a longLife fruit keeps state 3 for 600 seconds and
    // rots in 3.
    void SetDuration();
    // A longLife fruit set to state 3 passes through state 2 so that it takes state 3's picture.
    void SetState(int state);
    // True: a pest holds the fruit, which neither moves nor ages. False: the fruit is finished.
    void SetHeld(bool held);
    // Knocked off the tree: it falls from (x, y) one pixel a tick and loses its golden look; a
    // growing fruit becomes an unripe knocked-down one.
    void KnockDown(int x, int y);
    // Every 15 ticks a ripe fruit that hangs free steps one pixel right and down or back.
    void Sway(int tick);

    void SetPicture(int picture) { mPicture = picture; }
    void SetLongLife(bool longLife) { mLongLife = longLife; }
    void SetTagged(bool tagged) { mTagged = tagged; }
    void SetGolden(bool golden) { mGolden = golden; }

    int GetKind() const { return mKind; }
    int GetState() const { return mState; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetSecondsLeft() const { return mSecondsLeft; }
    int GetPicture() const { return mPicture; }
    bool IsSwayRight() const { return mSwayRight; }
    bool IsHeld() const { return mHeld; }
    int GetRotFrame() const { return mRotFrame; }
    int GetRestX() const { return mRestX; }
    int GetRestY() const { return mRestY; }
    int GetCellId() const { return mCellId; }
    bool IsFalling() const { return mFalling; }
    bool IsLongLife() const { return mLongLife; }
    bool IsTagged() const { return mTagged; }
    bool IsGolden() const { return mGolden; }

private:
    static constexpr int kLongRipeningSeconds = 600;
    static constexpr int kLongLifeRotSeconds = 3;
    static constexpr int kRestYAbove = 15;

    int TickFalling();
    int TickSeconds(int tick);
    void SwayStep();

    int mKind = 0;
    int mState = Finished;
    int mX = 0; // top-left corner of the picture
    int mY = 0;
    int mSecondsLeft = 0; // whole seconds left in the state
    int mPicture = 0;     // picture index for the drawing, -1 none
    bool mSwayRight = false;
    bool mHeld = false;
    int mRotFrame = 0;
    int mRestX = 0; // where the fruit lies while rotting
    int mRestY = 0;
    int mCellId = 0;        // id in its tree's cell grid
    bool mFalling = false;  // knocked down: falls a pixel a tick
    bool mLongLife = false; // survival mode: state 3 lasts 600 seconds, rotting 3
    bool mTagged = false;   // knocked down by a kamikaze bird, not struck again
    bool mGolden = false;   // ripens with the golden picture
};

} // namespace Vuro
