#pragma once
// The level banner: it slides down from offset -52 to its limit (0) one pixel every second
// update tick (104 ticks), stays for its game seconds, then slides back up and ends once the
// offset is below -51. A plain record; each slide step sets the redraw flag (RedrawFlag.h).

namespace Vuro {

struct RiseFade {
    static constexpr int kIdle = 0;
    static constexpr int kSlidingIn = 1;
    static constexpr int kStaying = 2;
    static constexpr int kSlidingOut = 3;
    static constexpr int kHiddenOffset = -52;

    bool mActive = false;
    int mOffset = 0;  // y of the banner picture
    int mLimit = 0;   // offset at which the slide-in stops
    int mSeconds = 0; // time to stay, counted down on every 60th tick while staying
    int mPhase = kIdle;

    void Reset();
    void Start(int seconds);
    void Tick(int tick);
};

} // namespace Vuro
