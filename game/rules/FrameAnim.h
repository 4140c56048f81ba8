#pragma once
// An animated piece of scenery: the stage's ambient animation, the stars at night, the ships on
// the stage map. A picture at a point that either stands still or loops through its cels
// 0..maxFrame, one step every period update ticks (a step comes on ticks that are multiples of
// the period). A plain record: copy it freely. A tick that steps the frame sets the redraw
// flag (RedrawFlag.h).

namespace Vuro {

struct FrameAnim {
    static constexpr int kStopped = 0;
    static constexpr int kStill = 1;
    static constexpr int kLooping = 3;

    int mState = kStopped;
    int mX = -1;
    int mY = -1;
    int mPeriod = 1;   // ticks per frame step
    int mMaxFrame = 0; // last cel before the loop returns to 0
    int mFrame = 0;

    void Reset();
    // A period below 1 is taken as 1 (a zero period would divide by zero).
    void Start(int x, int y, bool looping, int period, int maxFrame);
    void Tick(int tick);
};

} // namespace Vuro
