#pragma once
// The play field counts time in update ticks, 60 to a game second. Its tick-driven records
// (pop-ups, effects, puffs, bonus items, walkers) count their lifetimes down in whole game
// seconds through this one helper.

namespace Vuro {

constexpr int kGameSecondTicks = 60;

// Counts seconds down by one on every 60th update tick.
inline void CountSecondDown(int tick, int& seconds) {
    if (tick % kGameSecondTicks == 0) {
        --seconds;
    }
}

} // namespace Vuro
