#pragma once
// How long each state of a fruit lasts, in game seconds, and the difficulty switch that
// lengthens some of them. The level loaders set the switch from the player's chosen difficulty.

namespace Vuro {

void SetEasyMode(bool easy);
// Seconds of fruit state 1..9 for the current difficulty; 0 for any other state.
int FruitStateDurations(int state);

} // namespace Vuro
