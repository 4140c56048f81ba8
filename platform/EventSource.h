#pragma once
// Where the application's message pump takes its messages from. The SDL source translates the
// window system's events; tests install a scripted source. Time and input reach the framework
// only through the clock and this interface, so a test can drive the main loop exactly.
//
// - PeekMessage takes the next waiting message off the queue; false when none waits. Never
//   blocks. Main thread only. A request to end the program (Termination.h) comes first, once,
//   as the end-session message kWmEndSession, as the window system's own end of the session
//   does.
// - PostMessage appends a message to the queue from the main thread (the way a window asks
//   itself to close); false when the queue cannot take it.
// - SetTimer makes kWmTimer messages (wParam = id) for the window every intervalMs of the
//   process clock, at most one waiting at a time; the same window and id again replaces the
//   timer. KillTimer stops it.
// - GetMousePosition gives the last mouse position seen in the client area of the window that
//   had the mouse; safe from any thread.

#include "platform/Messages.h"

namespace Vuro::Platform {

class EventSource {
public:
    virtual ~EventSource() = default;
    virtual bool PeekMessage(Message& message) = 0;
    virtual bool PostMessage(const Message& message) = 0;
    virtual void GetMousePosition(int& x, int& y) = 0;
    virtual void SetTimer(uint32_t window, uint32_t id, uint32_t intervalMs) = 0;
    virtual void KillTimer(uint32_t window, uint32_t id) = 0;
};

// The source in use: the SDL one unless a test installed another.
EventSource& GetEventSource();
// Installs a source for the whole process; null goes back to the SDL one. The caller keeps
// ownership and keeps it alive while installed.
void SetEventSource(EventSource* source);

} // namespace Vuro::Platform
