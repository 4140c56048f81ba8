#pragma once
// SDL's events as the window messages the application receives (and demo files store). A pure
// function of the event and the input state around it, so the whole translation is tested with
// tables of events.

#include "platform/Messages.h"

#include <SDL.h>

#include <vector>

namespace Vuro::Platform {

// What the translation needs besides the event. The caller reads the live values before each
// event; the translation keeps the pointer position up to date.
struct SdlInputState {
    uint32_t mouseButtons = 0; // SDL's mouse button mask
    uint16_t mods = 0;         // SDL's modifier keys
    int mouseX = 0;            // last known pointer position
    int mouseY = 0;
    int windowWidth = 0; // size of the event's window, for a restore and the mouse's place
    int windowHeight = 0;
    int clientWidth = 0;     // size of the picture the window shows (full screen scales it);
    int clientHeight = 0;    // mouse positions are given in its pixels. 0: as the window's
    uint32_t postedType = 0; // SDL event type of messages posted to the queue; 0 for none
};

// Appends the messages of one event (none, one, or a key message and its character).
void TranslateSdlEvent(const SDL_Event& event, SdlInputState& state, std::vector<Message>& out);

} // namespace Vuro::Platform
