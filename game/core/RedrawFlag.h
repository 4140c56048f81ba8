#pragma once
// The game's one "something on the play field changed" flag. Every animation step of the play
// field's objects raises it; the play boards' update reads it once per tick, invalidates when it
// is set and clears it. Main thread only.

namespace Vuro {

void SetRedrawNeeded();
void ClearRedrawNeeded();
bool IsRedrawNeeded();

} // namespace Vuro
