#pragma once
// Drives the play field's small animations through runs of update ticks.

namespace Vuro::Testing {

// Ticks anim with every tick number from first to last inclusive.
template <typename Anim> void RunTicks(Anim& anim, int first, int last) {
    for (int tick = first; tick <= last; ++tick) {
        anim.Tick(tick);
    }
}

// Whether one tick changed what is drawn.
template <typename Anim> bool TickRedraws(Anim& anim, int tick) {
    return anim.Tick(tick);
}

} // namespace Vuro::Testing
