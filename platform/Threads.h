#pragma once
// Worker threads. The system starts its workers detached and learns of their end through flags
// it polls (std::atomic on the caller's side), so there is no join here.

#include <cstdint>
#include <functional>

namespace Vuro::Platform {

// Runs body on a new detached thread; false when no thread could be started.
bool StartDetachedThread(std::function<void()> body);

// A number for the calling thread, stable for its lifetime.
uint32_t CurrentThreadId();

// Raises the calling thread's scheduling priority two steps and keeps in `previous` what
// RestoreThreadPriority needs to put it back; false (nothing changed) where the system refuses.
bool RaiseThreadPriority(int& previous);
void RestoreThreadPriority(int previous);

} // namespace Vuro::Platform
