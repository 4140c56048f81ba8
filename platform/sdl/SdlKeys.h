#pragma once
// SDL key codes to the virtual-key codes the application's key messages carry.

#include <SDL.h>

namespace Vuro::Platform {

// The virtual-key code of an SDL key; 0 for keys the application has no code for.
int VirtualKeyOf(SDL_Keycode key);

} // namespace Vuro::Platform
