#include "game/rules/FruitStateDurations.h"

#include <atomic>

namespace Vuro {

namespace {
// Written by the level loaders on the loading thread, read by the play field on the main one.
std::atomic<bool> gEasyMode{false};

constexpr int kStateCount = 10;
constexpr int kNormalSeconds[kStateCount] = {0, 3, 2, 2, 4, 10, 8, 20, 5, 10};
constexpr int kEasySeconds[kStateCount] = {0, 3, 2, 2, 8, 10, 11, 16, 6, 10};
} // namespace

void SetEasyMode(bool easy) {
    gEasyMode = easy;
}

int FruitStateDurations(int state) {
    if (state < 1 || state >= kStateCount) {
        return 0;
    }
    return gEasyMode ? kEasySeconds[state] : kNormalSeconds[state];
}

} // namespace Vuro
