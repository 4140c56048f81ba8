#pragma once
// Drives the play field's small animations through runs of update ticks, and tells whether a
// step set the redraw flag.

#include "game/rules/RedrawFlag.h"

namespace Vuro::Testing {

// Ticks anim with every tick number from first to last inclusive.
template <typename Anim> void RunTicks(Anim& anim, int first, int last) {
    for (int tick = first; tick <= last; ++tick) {
        anim.Tick(tick);
    }
}

// Whether the step (from a clear flag) set the redraw flag: it changed what is drawn.
template <typename Step> bool Redraws(Step step) {
    ClearRedrawNeeded();
    step();
    return IsRedrawNeeded();
}

// Whether one tick changed what is drawn.
template <typename Anim> bool TickRedraws(Anim& anim, int tick) {
    return Redraws([&] { anim.Tick(tick); });
}

} // namespace Vuro::Testing
