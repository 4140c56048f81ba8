#pragma once
// Drives the play field's small animations through runs of update ticks.

#include "game/core/RedrawFlag.h"

namespace Vuro::Testing {

// Ticks anim with every tick number from first to last inclusive.
template <typename Anim> void RunTicks(Anim& anim, int first, int last) {
    for (int tick = first; tick <= last; ++tick) {
        anim.Tick(tick);
    }
}

// Whether one tick raised the redraw flag.
template <typename Anim> bool TickRedraws(Anim& anim, int tick) {
    ClearRedrawNeeded();
    anim.Tick(tick);
    const bool redrawn = IsRedrawNeeded();
    ClearRedrawNeeded();
    return redrawn;
}

} // namespace Vuro::Testing
