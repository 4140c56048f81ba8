#pragma once
// The crash reporter. One static CrashHandler, defined beside the program entry, installs the
// fault filter before the entry runs and puts the previous filter back at exit. The application
// registers itself at the end of its construction and leaves at its destruction, so a fault
// after the application is gone does not reach it.
//
// On a fault, on the faulting thread: the registered application's OnCrash runs, the report is
// built (exception, module and logical address, stack, registers, system, the application's
// GetCrashInfo), copied to the clipboard and written to "crash.txt"; a demo being recorded is
// closed with a filler record and written so it can travel with the report; then the error
// window shows. While that happens IsReportingCrash answers true, so the window procedure
// leaves painting, mouse and timers alone.
//
// Tests drive CrashFilter and BuildCrashReport with a made-up FaultRecord; no real fault is
// needed. LastReport answers the text of the latest report.

#include "platform/FaultHandler.h"

#include <string>

namespace Vuro {

class VuroAppBase;

class CrashHandler {
public:
    CrashHandler();
    ~CrashHandler();
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    static void RegisterApp(VuroAppBase* app);
    // Forgets app when it is the registered one.
    static void UnregisterApp(VuroAppBase* app);
    // Null when none is registered.
    static VuroAppBase* GetRegisteredApp();

    static void CrashFilter(const Platform::FaultRecord& fault);
    static void BuildCrashReport(const Platform::FaultRecord& fault);
    static bool IsReportingCrash();

    // Shared crash state, read by the windows and the upload.
    static std::string LastReport();
    static std::string ErrorTitle();
    static std::string AttachmentFileName();
    static bool HasAttachment();

    // Empty when the code is not in the exception table.
    static const char* ExceptionName(uint32_t code);
    static std::string WalkStack(const Platform::FaultRecord& fault);
    static std::string DescribeSystem();
    static void WriteCrashFile(const std::string& report);
    // The crash windows, as message boxes: "Fatal Error!" with the report; with a report server
    // set and an application registered, OK sends the report after the "Error Details" box,
    // and a failed upload offers a retry (OK) in "Connection Failed". Returns when the user
    // has finished with them.
    static void ShowErrorWindow(const std::string& title, const std::string& report);
    // The report server: a host name with an optional ":port"; empty (the default) offers no
    // upload.
    static void SetReportServerHost(const std::string& host);
    static std::string ReportServerHost();

private:
    Platform::FaultFilter mPreviousFilter = nullptr;
};

// The part of a path after its last '\' or '/'; the whole path when it has neither.
std::string GetFileNamePart(const std::string& path);
// printf "%x": lower-case hexadecimal without prefix.
std::string UIntToHexString(uint32_t value);
// Hexadecimal digits only, most significant first; an empty text gives true and 0.
[[nodiscard]] bool HexStringToUInt(const std::string& text, uint32_t& value);

} // namespace Vuro
