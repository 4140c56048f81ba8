#include "framework/debug/CrashHandler.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashDemo.h"
#include "framework/debug/ReportText.h"
#include "framework/util/StringHelpers.h"
#include "platform/DriverInfo.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"

#include <array>
#include <atomic>

namespace Vuro {

namespace {

constexpr bool kShowErrorWindow = true;
constexpr size_t kReportSize = 64 * 1024;
constexpr size_t kInfoSize = 4096;
constexpr size_t kPathSize = 1024;

std::atomic<VuroAppBase*> gRegisteredApp{nullptr};

// The report and its title live here, made before any fault; only the faulting thread writes
// them (the fault handler lets one thread report).
char gReportBuffer[kReportSize];
char gTitleBuffer[64];
ReportText gReport(gReportBuffer, sizeof(gReportBuffer));
ReportText gTitle(gTitleBuffer, sizeof(gTitleBuffer));

// What the application last published, twice over: the application writes the copy the filter
// does not read, then makes it the current one.
struct PublishedInfo {
    char system[kInfoSize];    // the driver lines of the system description
    char info[kInfoSize];      // GetCrashInfo
    char attachArg[kPathSize]; // kCrashAttachOption, '=' and GetExtraCrashText as the OS takes it
    CrashDemo demo;            // the demo being recorded
};
std::array<PublishedInfo, 2> gPublished{};
std::atomic<int> gCurrentPublished{0};
// The argument that named the attachment to the report run last; null for none.
std::atomic<const char*> gLastAttachArg{nullptr};

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

const char* FileNamePart(const char* path) {
    const char* part = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '/' || *c == '\\') {
            part = c + 1;
        }
    }
    return part;
}

void CopyText(char* destination, size_t capacity, const std::string& text) {
    ReportText copy(destination, capacity);
    copy.Add(text.c_str(), text.size());
}

// Registers are 64 bits wide here; they are written whole under the classic names.
void AddRegisters(ReportText& text, const Platform::FaultRegisters& r) {
    text.Add("EAX:").Hex(r.ax, 8).Add(" EBX:").Hex(r.bx, 8).Add(" ECX:").Hex(r.cx, 8);
    text.Add(" EDX:").Hex(r.dx, 8).Add(" ESI:").Hex(r.si, 8).Add(" EDI:").Hex(r.di, 8);
    text.Add("\r\nEIP:").Hex(r.ip, 8).Add(" ESP:").Hex(r.sp, 8).Add("  EBP:").Hex(r.bp, 8);
    text.Add("\r\nCS:").Hex(r.cs, 4).Add(" SS:").Hex(r.ss, 4).Add(" DS:").Hex(r.ds, 4);
    text.Add(" ES:").Hex(r.es, 4).Add(" FS:").Hex(r.fs, 4).Add(" GS:").Hex(r.gs, 4);
    text.Add("\r\nFlags:").Hex(r.flags, 8).Add("\r\n");
}

void AddLogicalAddress(ReportText& text, const Platform::ModuleAddress& module) {
    text.Hex(module.section, 4).Add(":").Hex(module.offset, 8);
}

// Every frame with its frame address, program counter, logical address and module, then its
// parameter words; the map file names them later. Return addresses point after the call, so a
// caller's logical address is taken one byte back, inside the calling instruction.
void AddStack(ReportText& text, const Platform::FaultRecord& fault) {
    Platform::ModuleAddress module;
    if (fault.frameCount == 0) {
        // No walk: the faulting frame alone, from the registers.
        Platform::ResolveModuleAddress(fault.registers.ip, module);
        text.Hex(fault.registers.ip, 8).Add("  ").Hex(fault.registers.bp, 8).Add("  ");
        AddLogicalAddress(text, module);
        text.Add(" ").Add(FileNamePart(module.path)).Add("\r\n");
        return;
    }
    for (int i = 0; i < fault.frameCount; ++i) {
        const Platform::FaultFrame& frame = fault.frames[i];
        if (frame.pc == 0 || frame.frame == 0) {
            break; // the outermost frame's made-up caller
        }
        Platform::ResolveModuleAddress(i == 0 ? frame.pc : frame.pc - 1, module);
        text.Hex(frame.frame, 8).Add(" ").Hex(frame.pc, 8).Add(" ");
        AddLogicalAddress(text, module);
        text.Add(" ").Add(FileNamePart(module.path)).Add("\r\n");
        text.Add("Params:");
        for (uint64_t word : frame.params) {
            text.Add(" ").Hex(word, 8);
        }
        text.Add("\r\n\r\n");
    }
    text.Add("StackWalk failed (error ").Decimal(fault.walkEnd).Add(")\r\n");
}

} // namespace

CrashHandler::CrashHandler(bool startReporter)
    : mPreviousFilter(Platform::SetFaultFilter(&CrashFilter)) {
    if (startReporter) {
        // The report run waits for this process to end (CrashReporter).
        Platform::SetFaultReportProgram(
            {Platform::ExecutablePath(),
             std::string(kCrashReportOption) + "=" + std::to_string(Platform::CurrentProcessId())});
    }
}

CrashHandler::~CrashHandler() {
    Platform::SetFaultFilter(mPreviousFilter);
    Platform::SetFaultReportProgram({});
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

void CrashHandler::PublishCrashInfo(VuroAppBase& app) {
    int next = 1 - gCurrentPublished.load();
    PublishedInfo& published = gPublished[static_cast<size_t>(next)];
    CopyText(published.system, kInfoSize,
             "Video Driver: " + Platform::VideoDriverVersion() +
                 "\r\nAudio Driver: " + Platform::AudioDriverVersion() + "\r\n");
    CopyText(published.info, kInfoSize, app.GetCrashInfo());
    std::string attachment = app.GetExtraCrashText();
    CopyText(published.attachArg, kPathSize,
             attachment.empty()
                 ? std::string()
                 : Platform::SystemToNative(kCrashAttachOption + ("=" + attachment)));
    PrepareCrashDemo(app, published.demo);
    gCurrentPublished = next;
}

void CrashHandler::CrashFilter(const Platform::FaultRecord& fault) {
    if (VuroAppBase* app = gRegisteredApp.load()) {
        app->OnCrash();
    }
    BuildCrashReport(fault);
}

const char* CrashHandler::ExceptionName(uint32_t code) {
    for (const ExceptionEntry& entry : kExceptionNameTable) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return "";
}

void CrashHandler::BuildCrashReport(const Platform::FaultRecord& fault) {
    VuroAppBase* app = gRegisteredApp.load();
    const bool hasApp = app != nullptr;
    const PublishedInfo& published = gPublished[static_cast<size_t>(gCurrentPublished.load())];
    ReportText& report = gReport;
    report.Clear();
    const char* name = ExceptionName(fault.code);
    report.Add(name[0] != '\0' ? "Exception: " : "Unknown exception: ").Add(name);
    report.Add(name[0] != '\0' ? " (code 0x" : "(code 0x").LowerHex(fault.code);
    report.Add(") at address ").Hex(fault.address, 8).Add(" in thread ");
    report.Hex(fault.threadId, 1).Add("\r\n");

    Platform::ModuleAddress module;
    Platform::ResolveModuleAddress(fault.address, module);
    report.Add("Module: ").Add(FileNamePart(module.path)).Add("\r\n");
    report.Add("Logical Address: ");
    AddLogicalAddress(report, module);
    report.Add("\r\n\r\n");
    gTitle.Clear();
    gTitle.Add("Exception at ");
    AddLogicalAddress(gTitle, module);

    AddStack(report, fault);
    report.Add("\r\n");
    AddRegisters(report, fault.registers);
    report.Add("\r\n");
    report.Add("System: ").Add(Platform::SystemDescription()).Add("\r\n");
    if (hasApp) {
        report.Add(published.system);
        if (published.info[0] != '\0') {
            report.Add("\r\n").Add(published.info);
        }
    }
    // The file ends with one newline after the report.
    report.Add("\n");
    Platform::WriteFileSignalSafe("crash.txt", report.Data(), report.Size());

    // A demo being recorded is closed and sent with the report, unless the application names
    // a file of its own; either way no demo is recorded or played on.
    const char* attach = nullptr;
    if (hasApp) {
        if (app->mRecordingDemoBuffer && WriteCrashDemo(published.demo, *app)) {
            attach = published.demo.mAttachArg.c_str();
        }
        if (published.attachArg[0] != '\0') {
            attach = published.attachArg;
        }
        app->mRecordingDemoBuffer = false;
        app->mPlayingDemoBuffer = false;
    }
    gLastAttachArg = attach;
    if (kShowErrorWindow) {
        Platform::StartFaultReportProgram(attach);
    }
}

std::string CrashHandler::LastAttachArg() {
    const char* arg = gLastAttachArg.load();
    return arg != nullptr ? arg : "";
}

std::string CrashHandler::LastReport() {
    // Without the newline that ends the file.
    std::string text(gReport.Data(), gReport.Size());
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

std::string CrashHandler::ErrorTitle() {
    return gTitle.Data();
}

std::string GetFileNamePart(const std::string& path) {
    return FileNamePart(path.c_str());
}

} // namespace Vuro
