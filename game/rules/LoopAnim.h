#pragma once
// A puff (the smoke over a caterpillar): cels 0..8, one every 10 update ticks. A pass through
// the cels clears the looping flag (the play field draws only looping puffs); SetLooping starts
// a pass again. It ends once its game seconds are spent and the frame is back at 0.
// A plain record; each frame step and the end set the redraw flag (RedrawFlag.h).

namespace Vuro {

struct LoopAnim {
    static constexpr int kLastFrame = 8;
    static constexpr int kFrameTicks = 10;

    bool mActive = false;
    int mX = 0;
    int mY = 0;
    bool mLooping = false;
    int mSecondsLeft = 0; // counted down on every 60th tick
    int mFrame = 0;

    void Reset();
    void Start(bool active, int seconds);
    void SetLooping(bool looping);
    void Tick(int tick);
};

} // namespace Vuro
