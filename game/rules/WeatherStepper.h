#pragma once
// The rain cloud: every 10 update ticks it moves one pixel toward its target x, stepping its
// frame 0, 1, 2, 0, ...; on reaching the target it is gone (state -1, frame 0). While present
// its rain falls in six drop slots, a column below it. A plain record; each move sets the redraw
// flag (RedrawFlag.h).

namespace Vuro {

struct WeatherStepper {
    static constexpr int kGone = -1;
    static constexpr int kMovingRight = 0;
    static constexpr int kMovingLeft = 1;
    static constexpr int kStepTicks = 10;
    static constexpr int kFrames = 3;
    static constexpr int kDropSlots = 6;

    int mState = kGone;
    int mX = -1;
    int mY = -1;
    int mTargetX = -1;
    int mTargetY = -1;
    int mFrame = 0;

    void Reset();
    void SetPos(int x, int y);
    // Moving left when the target lies left of the cloud, else right.
    void SetTarget(int targetX, int targetY);
    void SetState(int state) { mState = state; }
    void Tick(int tick);

    bool IsPresent() const { return mState != kGone; }
    // y of rain slot 0..5 below the cloud.
    int DropY(int slot) const { return mY + 52 * slot + 70; }
};

} // namespace Vuro
