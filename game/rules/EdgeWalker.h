#pragma once
// The broom: it sweeps to and fro across the whole ground for a number of seconds, 3 pixels
// every 10 ticks, turning at x 598 and x 1. The play field lets it clear caterpillars, rotting
// fruit and hedgehogs it covers (from x to GetRightEdge). A plain record; each frame, move and
// its leaving set the redraw flag (RedrawFlag.h).

namespace Vuro {

class EdgeWalker {
public:
    enum State { Absent = 0, MovingLeft = 1, MovingRight = 2 };
    enum TickResult { TickNothing = 0, TickGone = 2 };

    static constexpr int kLeftTurn = 1;
    static constexpr int kRightTurn = 598;
    static constexpr int kStep = 3;
    static constexpr int kMovePeriod = 10;
    static constexpr int kFramePeriod = 15;
    // The sweep a bonus item calls up.
    static constexpr int kSweepX = 300;
    static constexpr int kSweepY = 365;
    static constexpr int kSweepSeconds = 34;
    static constexpr int kRenewSeconds = 42;

    EdgeWalker() { Reset(); }

    // Absent, positions -1.
    void Reset();
    // Sweeps from (x, y) toward targetX for the given seconds: left when x > targetX.
    void Start(int x, int y, int targetX, int seconds);
    // The bonus item's sweep: a broom already sweeping gets 42 seconds; otherwise one starts at
    // (300, 365) for 34 seconds toward x 598 when one random draw is odd, else toward x 1.
    void StartSweep();
    void SetLifetime(int seconds) { mSecondsLeft = seconds; }
    // One update tick; TickGone on the tick its time runs out.
    int Tick(int tick);

    bool IsPresent() const { return mState != Absent; }
    // x + 32 moving right, x + 42 moving left.
    int GetRightEdge() const;
    int GetState() const { return mState; }
    int GetX() const { return mX; }
    int GetY() const { return mY; }
    int GetTargetX() const { return mTargetX; }
    int GetFrame() const { return mFrame; }
    int GetSecondsLeft() const { return mSecondsLeft; }

private:
    int mState;
    int mX;
    int mY;
    int mTargetX;
    int mFrame; // 0 or 1
    int mSecondsLeft;
};

} // namespace Vuro
