#pragma once
// A bonus item bouncing around the field: every second update tick it moves 2 pixels on both
// axes, y first and then x, turning at the edges (y below 0 or above 389, x below 0 or above
// 610). In a corner only the x turn is taken; the y turn follows on a later move. It ends when
// its game seconds have gone below 0 or its direction is not one of the five known; on the
// tick after it ends its kind becomes -1, which tells the play field to erase it.
// A plain record; each move, its end and its erasing set the redraw flag (RedrawFlag.h).

namespace Vuro {

struct Bouncer {
    static constexpr int kUpLeft = 0;
    static constexpr int kUpRight = 1;
    static constexpr int kDownLeft = 2;
    static constexpr int kDownRight = 3;
    static constexpr int kStill = 4;
    static constexpr int kErased = -1; // kind of an item the field erases
    static constexpr int kStep = 2;
    static constexpr int kMaxY = 389;
    static constexpr int kMaxX = 610;
    static constexpr int kAgeTicks = 30;

    bool mActive = false;
    int mX = 0;
    int mY = 0;
    int mKind = kErased;  // bonus kind, shown as the cel
    int mDirection = 0;   // kUpLeft .. kStill
    int mSecondsLeft = 0; // counted down on every 60th tick
    int mAge = 0;         // counted up on every 30th tick

    void Reset();
    // Heads up and to the right when started left of x 320, else up and to the left.
    void Start(int x, int y, int kind, int seconds);
    void Tick(int tick);
    // Clicks count once the item is old enough, or at any age while the field's stop phase runs.
    bool IsClickable(bool stopPhase) const { return mAge >= 1 || stopPhase; }
};

} // namespace Vuro
