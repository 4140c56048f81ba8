// The program entry: one game application, started, run and deleted. The crash reporter is a
// static object, so its fault filter is in place before the entry runs and is taken down at exit.

#include "framework/debug/CrashHandler.h"
#include "game/app/GameApp.h"
#include "platform/Process.h"
#include "platform/Termination.h"

namespace {
// A fault starts the program again in its report-only mode to show the report.
Vuro::CrashHandler gCrashHandler(true);
} // namespace

int main(int argc, char** argv) {
    // A kill, Ctrl+C or the session's end reaches the application as the end-session message,
    // and ends a box that is up, rather than ending the process where it stands.
    Vuro::Platform::WatchTerminationRequests();
    // Init reads the options from the command line kept here.
    Vuro::Platform::SetCommandLineArgs(argc, argv);
    auto* app = new Vuro::GameApp();
    app->InitGame();
    app->Start();
    delete app;
    return 0;
}
