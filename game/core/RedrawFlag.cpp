#include "game/core/RedrawFlag.h"

namespace Vuro {

namespace {
bool gRedrawNeeded = false;
} // namespace

void SetRedrawNeeded() {
    gRedrawNeeded = true;
}

void ClearRedrawNeeded() {
    gRedrawNeeded = false;
}

bool IsRedrawNeeded() {
    return gRedrawNeeded;
}

} // namespace Vuro
