// The report-only run's work: the report read back and named, and the crash windows over it.
#include "framework/debug/CrashReporter.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReportWindows.h"
#include "framework/debug/MapFile.h"
#include "framework/util/SafeFileWrite.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Window.h"

#include <cstdio>
#include <mutex>
#include <sstream>
#include <vector>

namespace Vuro {

namespace {

constexpr const char* kCrashFileName = "crash.txt";

std::mutex gStateLock;
std::string gReportServerHost;
std::string gAttachmentFileName;

std::string Shared(const std::string& value) {
    std::lock_guard<std::mutex> lock(gStateLock);
    return value;
}

// The first map file in the current folder, else the program's own beside it (other programs
// in that folder have maps of their own, which would name the wrong functions).
void NameMapSymbols(std::string& report) {
    std::string program = Platform::ExecutablePath();
    std::vector<Platform::FileEntry> maps;
    std::string path;
    if (Platform::FindFiles("*.map", maps)) {
        path = maps.front().name;
    } else {
        path = program + ".map";
    }
    FILE* file = Platform::OpenFile(path, "r");
    if (file == nullptr) {
        return;
    }
    std::string text;
    char piece[4096];
    for (size_t got; (got = std::fread(piece, 1, sizeof piece, file)) > 0;) {
        text.append(piece, got);
    }
    std::fclose(file);
    std::istringstream in(text);
    MapSymbolTable symbols;
    MapLineTable lines;
    ReadMapFile(in, symbols, lines);
    LookUpMapSymbol(report, GetFileNamePart(program), symbols, lines);
}

} // namespace

void CrashReporter::SetReportServerHost(const std::string& host) {
    std::lock_guard<std::mutex> lock(gStateLock);
    gReportServerHost = host;
}

std::string CrashReporter::ReportServerHost() {
    return Shared(gReportServerHost);
}

void CrashReporter::SetAttachmentFileName(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(gStateLock);
    gAttachmentFileName = fileName;
}

std::string CrashReportTitle(const std::string& report) {
    const std::string label = "Logical Address: ";
    size_t at = report.find(label);
    return "Exception at " + (at == std::string::npos ? std::string("0000:00000000")
                                                      : report.substr(at + label.size(), 13));
}

void CrashReporter::WaitForCrashedProgram(int processId) {
    constexpr uint32_t kPollMs = 10;
    Platform::Clock& clock = Platform::GetClock();
    for (uint32_t waited = 0; processId > 0 && Platform::ParentProcessId() == processId &&
                              waited < kCrashedProgramWaitMs;
         waited += kPollMs) {
        clock.SleepMs(kPollMs);
    }
}

void CrashReporter::Run(VuroAppBase& app, const std::string& attachment) {
    Buffer file;
    if (!app.ReadBufferFromFile(kCrashFileName, file, true)) {
        return;
    }
    std::string report(reinterpret_cast<const char*>(file.GetDataPtr()),
                       static_cast<size_t>(file.GetDataLen()));
    // The file ends with one newline after the report.
    if (!report.empty() && report.back() == '\n') {
        report.pop_back();
    }
    // The title keeps the logical address that naming replaces in the text.
    const std::string title = CrashReportTitle(report);
    NameMapSymbols(report);
    // A report that cannot be written again keeps its logical addresses.
    (void)WriteFileReplacing(kCrashFileName, [&](FILE* out) {
        return std::fwrite(report.data(), 1, report.size(), out) == report.size() &&
               std::fputc('\n', out) != EOF;
    });
    SetAttachmentFileName(attachment);
    app.CopyToClipboard(report);
    ShowErrorWindow(title, report);
}

void CrashReporter::ShowErrorWindow(const std::string& title, const std::string& report) {
    VuroAppBase* app = CrashHandler::GetRegisteredApp();
    if (app == nullptr) {
        // The windows' pictures belong to an application: without one a box shows the report.
        Platform::GetWindowSystem().ShowMessageBox(report, "Fatal Error!", Platform::kMbIconError);
        return;
    }
    CrashReportWindows windows(
        *app, {ReportServerHost(), title, report, "", Shared(gAttachmentFileName)});
    windows.Run();
}

} // namespace Vuro
