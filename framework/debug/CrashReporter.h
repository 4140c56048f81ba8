#pragma once
// The program's report-only mode. A crashed copy of the program writes crash.txt and starts the
// program again with kCrashReportOption (CrashHandler); that run does the work a crashed process
// cannot do safely: it reads the report, names functions and source lines from the map file,
// writes the file again, copies the report to the clipboard and shows the crash windows, from
// which the user may send the report to the report server.
//
// - Run needs the application object (product name and version, upload fields, clipboard) but
//   no initialised window; it returns when the user has finished with the windows.
// - The report server is a host name with an optional ":port"; empty (the default) offers no
//   upload.

#include <cstdint>
#include <string>

namespace Vuro {

class VuroAppBase;

class CrashReporter {
public:
    // Returns once the crashed copy (this run's parent, processId) has ended, so that its window,
    // full screen and hidden cursor are gone before the crash windows show; at most
    // kCrashedProgramWaitMs, the time its watchdog allows it and a little more.
    static void WaitForCrashedProgram(int processId);
    static constexpr uint32_t kCrashedProgramWaitMs = 6000;
    // attachment: a file to send with the report; empty for none.
    static void Run(VuroAppBase& app, const std::string& attachment);
    // The crash windows, with the report's title ("Exception at 0001:00000010") and text.
    static void ShowErrorWindow(const std::string& title, const std::string& report);

    static void SetReportServerHost(const std::string& host);
    static std::string ReportServerHost();
    static void SetAttachmentFileName(const std::string& fileName);
};

// The title of a report: "Exception at " and the logical address of its "Logical Address:" line.
std::string CrashReportTitle(const std::string& report);

} // namespace Vuro
