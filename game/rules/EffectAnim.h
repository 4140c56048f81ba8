#pragma once
// A short effect at a point (a shot flash, a magic shot): cels 0..4, one every 10 update ticks,
// played through twice, or cut short when its game seconds run out. A plain record; each frame
// step and the end set the redraw flag (RedrawFlag.h).

namespace Vuro {

struct EffectAnim {
    static constexpr int kLastFrame = 4;
    static constexpr int kFrameTicks = 10;
    static constexpr int kCycles = 2;

    bool mActive = false;
    int mX = 0;
    int mY = 0;
    int mFrame = 0;
    int mCycles = 0;      // completed passes through the cels
    int mSecondsLeft = 0; // counted down on every 60th tick

    void Reset();
    void SetPos(int x, int y);
    void Start(int seconds);
    void Tick(int tick);
};

} // namespace Vuro
