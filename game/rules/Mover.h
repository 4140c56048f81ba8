#pragma once
// A slingshot stone in flight: 9 pixels a tick sideways until it is level with its target
// (starting leftward unless the target lies more than 5 pixels to the right), and 9 pixels a
// tick upward while it is not yet above the target's y. The tick that finds it above the target
// marks it arrived (state 0). A plain record; each moving tick and the arrival set the redraw
// flag (RedrawFlag.h).

namespace Vuro {

struct Mover {
    static constexpr int kArrived = 0;
    static constexpr int kRising = 1;
    static constexpr int kMovingLeft = 2;
    static constexpr int kMovingRight = 3;
    static constexpr int kStep = 9;

    int mState = kArrived;
    int mX = -1;
    int mY = -1;
    int mTargetX = -1;
    int mTargetY = -1;

    void Reset();
    void Start(int x, int y, int targetX, int targetY);
    // Every update tick.
    void Tick();
};

} // namespace Vuro
