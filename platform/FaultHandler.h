#pragma once
// Faults that no code handles: the stand-in for the process's unhandled-exception filter and
// the address services of a crash report. Signals (segmentation and bus faults, illegal
// instructions, arithmetic faults, abort) become a FaultRecord in the codes of the classic
// exception table, so the reporter above reads them like any other fault.
//
// The handler may run with the heap's lock held (abort inside malloc after a double free) or
// on a broken stack, so everything here that a filter calls is async-signal-safe: no
// allocation, no stdio, no locks; buffers are made at installation.
//
// - SetFaultFilter installs `filter` for those signals and returns the filter it replaces (null
//   when ours was not installed). Null puts back the handlers that were there before the first
//   install (a sanitizer's, or the defaults). The filter runs on the faulting thread, once per
//   process: a fault on another thread meanwhile waits for the process to end, a fault inside
//   the filter ends it at once. When the filter returns, the process ends with the signal's
//   default action, so its exit status names the signal.
// - A watchdog ends the process the same way when the filter has not returned within
//   SetFaultWatchdogSeconds (5 by default).
// - FaultFilterInstalled answers whether our handler currently holds the segmentation signal.
// - The record holds the whole call stack from the faulting instruction outwards: each frame's
//   program counter, its frame address (the caller's stack pointer) and the first four words
//   of its stack arguments (0 where they cannot be read), and how the walk ended.
// - ResolveModuleAddress names the loaded module holding an address and its logical address:
//   the module file's section (its index in the file's section table, which starts with the
//   null section 0) and the distance from that section's start. False (empty path, 0, 0) when
//   no module holds it or its file cannot be read. The path stays valid while the module is
//   loaded.
// - SystemDescription is one line naming the kernel ("Linux 6.1.0 #1 SMP ...").
// - WriteFileSignalSafe replaces a file's contents; false when it cannot be written whole.
//   SignalSafeFile does the same piece by piece: it opens (creating or truncating) at
//   construction, Write appends, and Close (or the destructor) flushes the file to the disk and
//   closes it; Close answers whether every piece was written.
// - SetFaultReportProgram names a program (path and arguments, system text as for
//   StartProgram) that StartFaultReportProgram starts beside the crashed process, in its working
//   folder and environment, with one more argument when `extraArg` is not null (already as the
//   operating system takes it: SystemToNative), without waiting for it; an empty list (the
//   default) starts nothing, and so does one of more than eight arguments or of more than
//   4096 bytes in all (StartFaultReportProgram answers false).
// - DemangleSymbol turns a linker symbol into its source name; unchanged when it is not one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::Platform {

// Codes of the classic exception table that signals map to.
inline constexpr uint32_t kFaultBreakpoint = 0x80000003;
inline constexpr uint32_t kFaultAccessViolation = 0xC0000005;
inline constexpr uint32_t kFaultInPageError = 0xC0000006;
inline constexpr uint32_t kFaultIllegalInstruction = 0xC000001D;
inline constexpr uint32_t kFaultNoncontinuable = 0xC0000025;
inline constexpr uint32_t kFaultFloatInvalidOperation = 0xC0000090;
inline constexpr uint32_t kFaultIntegerDivideByZero = 0xC0000094;

inline constexpr int kMaxFaultFrames = 64;

struct FaultRegisters {
    uint64_t ax = 0, bx = 0, cx = 0, dx = 0, si = 0, di = 0; // general registers
    uint64_t ip = 0, sp = 0, bp = 0;                         // program counter, stack, frame
    uint16_t cs = 0, ss = 0, ds = 0, es = 0, fs = 0, gs = 0; // segment selectors
    uint64_t flags = 0;
};

struct FaultFrame {
    uint64_t frame = 0;      // the caller's stack pointer at the call
    uint64_t pc = 0;         // the faulting instruction, then return addresses
    uint64_t params[4] = {}; // the first words of the stack arguments
};

struct FaultRecord {
    uint32_t code = 0;     // one of the kFault... codes
    uint64_t address = 0;  // where the fault happened (the program counter)
    uint32_t threadId = 0; // CurrentThreadId of the faulting thread
    FaultRegisters registers;
    FaultFrame frames[kMaxFaultFrames]; // innermost first
    int frameCount = 0;
    int walkEnd = 0; // the unwinder's reason for stopping (5: end of stack)
};

using FaultFilter = void (*)(const FaultRecord& fault);

FaultFilter SetFaultFilter(FaultFilter filter);
bool FaultFilterInstalled();
void SetFaultWatchdogSeconds(unsigned seconds);

struct ModuleAddress {
    const char* path = "";
    uint32_t section = 0;
    uint64_t offset = 0;
};

bool ResolveModuleAddress(uint64_t address, ModuleAddress& out);
const char* SystemDescription();
bool WriteFileSignalSafe(const char* path, const char* data, size_t size);

class SignalSafeFile {
public:
    explicit SignalSafeFile(const char* path);
    ~SignalSafeFile();
    SignalSafeFile(const SignalSafeFile&) = delete;
    SignalSafeFile& operator=(const SignalSafeFile&) = delete;

    bool IsOpen() const { return mFile >= 0; }
    void Write(const void* data, size_t size);
    bool Close();

private:
    int mFile = -1;
    bool mWhole = true; // every piece so far was written
};

void SetFaultReportProgram(const std::vector<std::string>& args);
bool StartFaultReportProgram(const char* extraArg);

std::string DemangleSymbol(const std::string& name);

} // namespace Vuro::Platform
