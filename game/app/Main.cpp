// The program entry: one game application, started, run and deleted. The crash reporter is a
// static object, so its fault filter is in place before the entry runs and is taken down at exit.

#include "framework/debug/CrashHandler.h"
#include "game/app/GameApp.h"
#include "platform/Process.h"

namespace {
// A fault starts the program again in its report-only mode to show the report.
Vuro::CrashHandler gCrashHandler(true);
} // namespace

int main(int argc, char** argv) {
    // Init reads the options from the command line kept here.
    Vuro::Platform::SetCommandLineArgs(argc, argv);
    auto* app = new Vuro::GameApp();
    app->InitGame();
    app->Start();
    delete app;
    return 0;
}
