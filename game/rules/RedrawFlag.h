#pragma once
// Whether the play field must be drawn again. Every step of the field's objects that changes
// what the field draws sets the flag, and so do the field's own changes (objects added, erased
// or turned, the score, the clock, a press, the mouse); the play boards read it once an update,
// draw the field again only when it is set, and clear it. A tick in which nothing moves leaves
// it clear, so a resting level is not drawn again.

namespace Vuro {

void SetRedrawNeeded();
void ClearRedrawNeeded();
bool IsRedrawNeeded();

} // namespace Vuro
