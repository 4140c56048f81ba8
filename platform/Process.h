#pragma once
// The process as a whole: how it ends, what version it is, where debug text goes.
//
// - ExitProcess ends the process at once with the code: stdio is flushed, nothing else is torn
//   down (other threads may still run). A test installs an exit handler to catch the end: the
//   handler must leave by throwing (or longjmp); a handler that returns ends the process anyway.
// - ProductVersion is the version text of this build (a build setting).
// - DebugOutput is for developer statistics and traces: written to stderr when the environment
//   variable VURO_DEBUG_OUTPUT is set, else dropped; a test can install a sink that sees it.
// - CommandLine is the whole command line as one text, program name first: the arguments the
//   program entry handed to SetCommandLineArgs as system text (NativeToSystem, so a file named
//   there leads back to the same name on disk), joined with single blanks, each argument that
//   holds a blank enclosed in double quotes. Before SetCommandLineArgs (a test, a library user)
//   it is the program's path alone, so there are no options.
// - RaiseFault ends the process the way an unhandled fault does, so that whatever catches
//   faults (the crash reporter) sees it.
// - StartProgram runs another program with the arguments given (no shell reads them); it does
//   not wait for the program to end. A name without a separator is found on the PATH; a path
//   (with "\" or "/") is taken as it stands, relative to the working folder, its "\" mapped as
//   for every file. The arguments are system text, handed over as SystemToNative gives them.
//   False when the program could not be started.
// - CurrentProcessId is this process's id; ParentProcessId the id of the process that started
//   this one while that one lives (once it has ended this one has another parent, so the
//   answer changes). ProcessRuns tells whether a process of that id exists (one of another user
//   counts): files a process left behind are only taken away once it has ended.

#include <string>
#include <string_view>
#include <vector>

namespace Vuro::Platform {

using ExitHandler = void (*)(int code);

[[noreturn]] void ExitProcess(int code);
// Returns the previous handler; null restores the real exit.
ExitHandler SetExitHandler(ExitHandler handler);

std::string ProductVersion();

void SetCommandLineArgs(int argc, const char* const* argv);
std::string CommandLine();

[[noreturn]] void RaiseFault();

using DebugOutputSink = void (*)(std::string_view text);
void DebugOutput(std::string_view text);
// Returns the previous sink; null restores the default.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

bool StartProgram(const std::string& program, const std::vector<std::string>& args);

int CurrentProcessId();
int ParentProcessId();
bool ProcessRuns(int id);

} // namespace Vuro::Platform
