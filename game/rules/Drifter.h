#pragma once
// The sun or moon: it drifts one pixel left every 120 update ticks and, once at its stop x,
// jumps back to the right edge of the field; every 20 ticks its frame toggles between 0 and 1.
// A held drifter keeps toggling its frame but does not move. A plain record; each frame toggle
// and move sets the redraw flag (RedrawFlag.h).

#include "game/rules/FieldGeometry.h"

namespace Vuro {

struct Drifter {
    static constexpr int kGone = 0;
    static constexpr int kDrifting = 1;
    static constexpr int kHeld = 2;
    static constexpr int kFrameTicks = 20;
    static constexpr int kMoveTicks = 120;
    static constexpr int kWrapX = kFieldWidth;

    int mState = kGone;
    int mX = -1;
    int mY = -1;
    int mStopX = -1;
    int mFrame = 0; // 0 or 1

    void Reset();
    void Start(int x, int y, int stopX);
    void SetHeld(bool held);
    void Tick(int tick);
};

} // namespace Vuro
