#pragma once
// The crash reporter. One static CrashHandler, defined beside the program entry, installs the
// fault filter before the entry runs and puts the previous filter back at exit. The application
// registers itself at the end of its construction and leaves at its destruction, so a fault
// after the application is gone does not reach it.
//
// A crashed process may hold the heap's lock or have a broken heap, so the filter does only
// what is async-signal-safe, in buffers made beforehand: it calls the registered application's
// OnCrash, builds the report (exception, module and logical address, the whole stack with its
// parameter words, registers, system, the application's crash information as last published),
// writes it to "crash.txt" in the current folder, closes and writes the demo being recorded
// (CrashDemo), and starts the program again in its report-only mode (CrashReporter) with the
// file to send: the demo, or the application's own file. That run names functions and source
// lines from the map file, shows the crash windows and sends the report. The crashed process
// does not wait for the windows: it ends at once with its signal's status (a watchdog sees to
// it when reporting stalls), so its window, full screen, cursor, sound device and
// single-instance lock go with it; the report run waits for that end before it shows anything.
//
// The application publishes what the report says of it (PublishCrashInfo: GetCrashInfo, the
// video and audio drivers in use, GetExtraCrashText as the file to attach, the demo's file and
// header) at start and once a second; the filter uses the last published ones.
//
// Tests drive CrashFilter and BuildCrashReport with a made-up FaultRecord; no real fault is
// needed. LastReport answers the text of the latest report.

#include "framework/app/CommandLineOptions.h"
#include "framework/util/StringHelpers.h"
#include "platform/FaultHandler.h"

#include <string>

namespace Vuro {

class VuroAppBase;

class CrashHandler {
public:
    // With startReporter, a fault starts this program again with kCrashReportOption.
    explicit CrashHandler(bool startReporter = false);
    ~CrashHandler();
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    static void RegisterApp(VuroAppBase* app);
    // Forgets app when it is the registered one.
    static void UnregisterApp(VuroAppBase* app);
    // Null when none is registered.
    static VuroAppBase* GetRegisteredApp();
    // Copies what a report says of the application; call from the application's own thread.
    static void PublishCrashInfo(VuroAppBase& app);

    static void CrashFilter(const Platform::FaultRecord& fault);
    static void BuildCrashReport(const Platform::FaultRecord& fault);

    static std::string LastReport();
    static std::string ErrorTitle();
    // The argument that named a file to send with the latest report; empty for none.
    static std::string LastAttachArg();

    // Empty when the code is not in the exception table.
    static const char* ExceptionName(uint32_t code);

private:
    Platform::FaultFilter mPreviousFilter = nullptr;
};

// The part of a path after its last '\' or '/'; the whole path when it has neither.
std::string GetFileNamePart(const std::string& path);

} // namespace Vuro
