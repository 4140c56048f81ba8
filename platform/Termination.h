#pragma once
// Requests from outside to end the program: SIGTERM (a kill, the desktop session ending),
// SIGINT (Ctrl+C in its terminal) and SIGHUP (its terminal went away).
//
// - WatchTerminationRequests: from then on such a request is noted instead of ending the
//   process at once, so that the program can end the way a quit does, its settings written. The
//   program entry calls it once, first; a signal ignored when the program started stays
//   ignored. A second request of the same kind ends the process the signal's default way, so a
//   program that no longer answers can still be stopped.
// - TerminationRequested: whether a request was noted; it stays noted. The SDL event source
//   hands it to the application once, as the end-session message (kWmEndSession).
// - AnswerUnlessTerminated runs `ask`, a call that waits for the user (a message box), and gives
//   its answer. A termination request ends the wait within a tenth of a second with
//   `unanswered`, and one noted before gives `unanswered` at once without asking. An `ask` left
//   waiting goes on, on a thread of its own, until it returns or the process ends: it must own
//   everything it uses. Processes it starts meanwhile (a window system that shows each box in a
//   process of its own) end with this one. Without watching it is ask() on the calling thread.

#include <functional>

namespace Vuro::Platform {

void WatchTerminationRequests();
bool TerminationRequested();
int AnswerUnlessTerminated(std::function<int()> ask, int unanswered);

} // namespace Vuro::Platform
