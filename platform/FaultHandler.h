#pragma once
// Faults that no code handles: the stand-in for the process's unhandled-exception filter and
// the symbol services of a stack walk. Signals (segmentation and bus faults, illegal
// instructions, arithmetic faults, abort) become a FaultRecord in the codes of the classic
// exception table, so the reporter above reads them like any other fault.
//
// - SetFaultFilter installs `filter` for those signals and returns the filter it replaces (null
//   when ours was not installed). Null puts back the handlers that were there before the first
//   install (a sanitizer's, or the defaults). The filter runs on the faulting thread; when it
//   returns, the process ends with the signal's default action.
// - FaultFilterInstalled answers whether our handler currently holds the segmentation signal.
// - ResolveModuleAddress names the loaded module holding an address and its logical address:
//   the module's loadable segments count from 1 in program-header order, the offset is the
//   distance from the segment's start. False (empty path, 0, 0) when no module holds it.
// - SymbolAt gives the demangled name of the function holding an address and the distance from
//   its start; false when the module exports no symbol there.
// - SystemDescription is one line naming the kernel ("Linux 6.1.0 #1 SMP ...").

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

struct FaultRegisters {
    uint64_t ax = 0, bx = 0, cx = 0, dx = 0, si = 0, di = 0; // general registers
    uint64_t ip = 0, sp = 0, bp = 0;                         // program counter, stack, frame
    uint16_t cs = 0, ss = 0, ds = 0, es = 0, fs = 0, gs = 0; // segment selectors
    uint64_t flags = 0;
};

struct FaultRecord {
    uint32_t code = 0;     // one of the kFault... codes
    uint64_t address = 0;  // where the fault happened (the program counter)
    uint32_t threadId = 0; // CurrentThreadId of the faulting thread
    FaultRegisters registers;
    std::vector<uint64_t> frames; // program counters of the call stack, innermost first
};

using FaultFilter = void (*)(const FaultRecord& fault);

FaultFilter SetFaultFilter(FaultFilter filter);
bool FaultFilterInstalled();

struct ModuleAddress {
    std::string path;
    uint32_t section = 0;
    uint64_t offset = 0;
};

bool ResolveModuleAddress(uint64_t address, ModuleAddress& out);
bool SymbolAt(uint64_t address, std::string& name, uint64_t& displacement);
std::string SystemDescription();

} // namespace Vuro::Platform
