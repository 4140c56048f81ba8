#include "framework/debug/CrashHandler.h"

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"
#include "framework/util/StringHelpers.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace Vuro {

namespace {

std::atomic<VuroAppBase*> gRegisteredApp{nullptr};
std::atomic<bool> gReportingCrash{false};
constexpr bool kShowErrorWindow = true;

// Written only on the faulting thread before anything reads it; the lock keeps a second
// thread faulting at the same time from tearing the texts.
std::recursive_mutex gStateLock;
std::string gLastReport;
std::string gErrorTitle;
std::string gAttachmentFileName;
bool gHasAttachment = false;

struct ExceptionEntry {
    uint32_t code;
    const char* name;
};

constexpr ExceptionEntry kExceptionNameTable[] = {
    {0x40000005, "Segment Notification"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0x00000000, "Wait 0"},
    {0x00000080, "Abandoned Wait 0"},
    {0x000000C0, "User APC"},
    {0x00000102, "Timeout"},
    {0x00000103, "Pending"},
    {0x80000001, "Guard Page Violation"},
    {0x80000002, "Data Type Misalignment"},
    {0xC0000005, "Access Violation"},
    {0xC0000006, "In Page Error"},
    {0xC0000017, "No Memory"},
    {0xC000001D, "Illegal Instruction"},
    {0xC0000025, "Noncontinuable Exception"},
    {0xC0000026, "Invalid Disposition"},
    {0xC000008C, "Array Bounds Exceeded"},
    {0xC000008D, "Float Denormal Operand"},
    {0xC000008E, "Divide by Zero"},
    {0xC000008F, "Float Inexact Result"},
    {0xC0000090, "Float Invalid Operation"},
    {0xC0000091, "Float Overflow"},
    {0xC0000092, "Float Stack Check"},
    {0xC0000093, "Float Underflow"},
    {0xC0000094, "Integer Divide by Zero"},
    {0xC0000095, "Integer Overflow"},
    {0xC0000096, "Privileged Instruction"},
    {0xC00000FD, "Stack Overflow"},
    {0xC000013A, "Ctrl+C Exit"},
};

using ULL = unsigned long long;

std::string RegisterLines(const Platform::FaultRegisters& r) {
    // Registers are 64 bits wide here; they are written whole under the classic names.
    std::string text;
    text += StrFormat("EAX:%08llX EBX:%08llX ECX:%08llX EDX:%08llX ESI:%08llX EDI:%08llX\r\n",
                      ULL(r.ax), ULL(r.bx), ULL(r.cx), ULL(r.dx), ULL(r.si), ULL(r.di));
    text += StrFormat("EIP:%08llX ESP:%08llX  EBP:%08llX\r\n", ULL(r.ip), ULL(r.sp), ULL(r.bp));
    text += StrFormat("CS:%04X SS:%04X DS:%04X ES:%04X FS:%04X GS:%04X\r\n", r.cs, r.ss, r.ds, r.es,
                      r.fs, r.gs);
    text += StrFormat("Flags:%08llX\r\n", ULL(r.flags));
    return text;
}

void CloseDemoForReport(VuroAppBase& app) {
    std::lock_guard<std::recursive_mutex> lock(gStateLock);
    bool recording = app.mRecordingDemoBuffer.load();
    if (recording) {
        app.WriteDemoRecordHeader(DemoRecord::kFiller, false);
        app.WriteDemoFile();
        gAttachmentFileName = app.mDemoFileName;
    }
    gHasAttachment = recording;
    std::string extra = app.GetExtraCrashText();
    if (!extra.empty()) {
        gAttachmentFileName = extra;
        gHasAttachment = true;
    }
    app.mRecordingDemoBuffer = false;
    app.mPlayingDemoBuffer = false;
}

} // namespace

CrashHandler::CrashHandler() : mPreviousFilter(Platform::SetFaultFilter(&CrashFilter)) {}

CrashHandler::~CrashHandler() {
    Platform::SetFaultFilter(mPreviousFilter);
}

void CrashHandler::RegisterApp(VuroAppBase* app) {
    gRegisteredApp.store(app);
}

void CrashHandler::UnregisterApp(VuroAppBase* app) {
    gRegisteredApp.compare_exchange_strong(app, nullptr);
}

VuroAppBase* CrashHandler::GetRegisteredApp() {
    return gRegisteredApp.load();
}

bool CrashHandler::IsReportingCrash() {
    return gReportingCrash.load();
}

void CrashHandler::CrashFilter(const Platform::FaultRecord& fault) {
    gReportingCrash = true;
    if (VuroAppBase* app = gRegisteredApp.load()) {
        app->OnCrash();
    }
    BuildCrashReport(fault);
    // Returning lets the process end the way the fault ends it; the flag stays set meanwhile.
}

const char* CrashHandler::ExceptionName(uint32_t code) {
    for (const ExceptionEntry& entry : kExceptionNameTable) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return "";
}

std::string CrashHandler::WalkStack(const Platform::FaultRecord& fault) {
    std::string text;
    Platform::ModuleAddress module;
    if (fault.frames.empty()) {
        // No walk: the faulting frame alone, from the registers.
        Platform::ResolveModuleAddress(fault.registers.ip, module);
        text += StrFormat("%08llX  %08llX  %04X:%08llX %s\r\n", ULL(fault.registers.ip),
                          ULL(fault.registers.bp), module.section, ULL(module.offset),
                          GetFileNamePart(module.path).c_str());
        return text;
    }
    // The walk gives program counters only; frame addresses and parameter words are not
    // known here, so the frame column shows 0 and no "Params" line follows.
    for (uint64_t pc : fault.frames) {
        std::string name;
        uint64_t displacement = 0;
        if (Platform::SymbolAt(pc, name, displacement)) {
            text +=
                StrFormat("%08X %08llX %s+%llX\r\n", 0u, ULL(pc), name.c_str(), ULL(displacement));
        } else {
            Platform::ResolveModuleAddress(pc, module);
            text += StrFormat("%08X %08llX %04X:%08llX %s\r\n", 0u, ULL(pc), module.section,
                              ULL(module.offset), GetFileNamePart(module.path).c_str());
        }
        text += "\r\n";
    }
    return text;
}

std::string CrashHandler::DescribeSystem() {
    return "System: " + Platform::SystemDescription() + "\r\n";
}

void CrashHandler::WriteCrashFile(const std::string& report) {
    FILE* file = std::fopen("crash.txt", "w");
    if (file == nullptr) {
        return;
    }
    std::fputs(report.c_str(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

void CrashHandler::BuildCrashReport(const Platform::FaultRecord& fault) {
    bool wasReporting = gReportingCrash.exchange(true);
    VuroAppBase* app = gRegisteredApp.load();
    std::string report;
    const char* name = ExceptionName(fault.code);
    if (name[0] != '\0') {
        report = StrFormat("Exception: %s (code 0x%x) at address %08llX in thread %X\r\n", name,
                           fault.code, ULL(fault.address), fault.threadId);
    } else {
        report = StrFormat("Unknown exception: (code 0x%x) at address %08llX in thread %X\r\n",
                           fault.code, ULL(fault.address), fault.threadId);
    }
    Platform::ModuleAddress module;
    Platform::ResolveModuleAddress(fault.address, module);
    report += "Module: " + GetFileNamePart(module.path) + "\r\n";
    report += StrFormat("Logical Address: %04X:%08llX\r\n", module.section, ULL(module.offset));
    report += "\r\n";
    std::string title = StrFormat("Exception at %04X:%08llX", module.section, ULL(module.offset));

    report += WalkStack(fault);
    report += "\r\n";
    report += RegisterLines(fault.registers);
    report += "\r\n";
    report += DescribeSystem();
    if (app != nullptr) {
        std::string info = app->GetCrashInfo();
        if (!info.empty()) {
            report += "\r\n" + info;
        }
        app->CopyToClipboard(report);
    }
    WriteCrashFile(report);
    {
        std::lock_guard<std::recursive_mutex> lock(gStateLock);
        gLastReport = report;
        gErrorTitle = title;
    }
    if (app != nullptr) {
        CloseDemoForReport(*app);
    }
    if (kShowErrorWindow) {
        ShowErrorWindow(title, report);
    }
    gReportingCrash = wasReporting;
}

std::string CrashHandler::LastReport() {
    std::lock_guard<std::recursive_mutex> lock(gStateLock);
    return gLastReport;
}

std::string CrashHandler::ErrorTitle() {
    std::lock_guard<std::recursive_mutex> lock(gStateLock);
    return gErrorTitle;
}

std::string CrashHandler::AttachmentFileName() {
    std::lock_guard<std::recursive_mutex> lock(gStateLock);
    return gAttachmentFileName;
}

bool CrashHandler::HasAttachment() {
    std::lock_guard<std::recursive_mutex> lock(gStateLock);
    return gHasAttachment;
}

std::string GetFileNamePart(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string UIntToHexString(uint32_t value) {
    return StrFormat("%x", value);
}

bool HexStringToUInt(const std::string& text, uint32_t& value) {
    value = 0;
    for (char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    return true;
}

} // namespace Vuro
