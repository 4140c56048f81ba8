#pragma once
// A rising pop-up (a score number or a combo text): it climbs one pixel every second update
// tick and lives for a number of game seconds. It ends on the tick after its seconds have gone
// below 0, or as soon as it rises above the top edge. A plain record; each move and its end set
// the redraw flag (RedrawFlag.h).

namespace Vuro {

struct Countdown {

    bool mActive = false;
    int mX = 0;
    int mY = 0;
    int mValue = 0;       // the points shown, or the combo result code
    int mSecondsLeft = 0; // counted down on every 60th tick

    void Reset();
    void Start(int x, int y, int value, int seconds);
    void Tick(int tick);
};

} // namespace Vuro
