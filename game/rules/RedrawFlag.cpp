#include "game/rules/RedrawFlag.h"

#include <atomic>

namespace Vuro {

namespace {
// Set by the field's steps and read by the boards on the main thread, and set by a level's reset
// on the loading thread while the level loads.
std::atomic<bool> gRedrawNeeded{false};
} // namespace

void SetRedrawNeeded() {
    gRedrawNeeded.store(true, std::memory_order_relaxed);
}

void ClearRedrawNeeded() {
    gRedrawNeeded.store(false, std::memory_order_relaxed);
}

bool IsRedrawNeeded() {
    return gRedrawNeeded.load(std::memory_order_relaxed);
}

} // namespace Vuro
