#pragma once
// The bob of the stage's ambient picture, a small swing: every 20 update ticks the offset either
// moves by delta or, with no steps left, turns. Start begins with a turn, so the offset rises
// 2 * halfSwing steps from 0, turns, falls back to 0, turns, and so on: it swings between 0 and
// 2 * halfSwing * delta.
// A plain record; each step and turn sets the redraw flag (RedrawFlag.h).

namespace Vuro {

struct BobOffset {
    static constexpr int kStopped = 0;
    static constexpr int kFalling = 1; // offset decreasing
    static constexpr int kRising = 2;  // offset increasing
    static constexpr int kStepTicks = 20;

    int mState = kStopped;
    int mX = -1;
    int mY = -1;
    int mStepsLeft = 0; // steps before the swing turns
    int mHalfSwing = 0;
    float mOffset = 0.0f;
    float mDelta = 0.0f; // change per step

    void Reset();
    void Start(int x, int y, int halfSwing, float delta);
    void Tick(int tick);
};

} // namespace Vuro
