#include "platform/FaultHandler.h"

#include "platform/Threads.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <link.h>
#include <signal.h>
#include <sys/utsname.h>
#include <ucontext.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace Vuro::Platform {

namespace {

constexpr std::array<int, 6> kFaultSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP};
constexpr int kMaxFrames = 64;
// The filter builds a report and shows a box: room for that when the fault was a stack
// overflow, which leaves the thread's own stack unusable.
constexpr size_t kAltStackSize = 256 * 1024;

std::atomic<FaultFilter> gFilter{nullptr};
std::array<struct sigaction, kFaultSignals.size()> gPrevious{};

uint32_t FaultCode(const siginfo_t* info) {
    switch (info->si_signo) {
    case SIGSEGV:
        return kFaultAccessViolation;
    case SIGBUS:
        return kFaultInPageError;
    case SIGILL:
        return kFaultIllegalInstruction;
    case SIGFPE:
        return info->si_code == FPE_INTDIV ? kFaultIntegerDivideByZero
                                           : kFaultFloatInvalidOperation;
    case SIGTRAP:
        return kFaultBreakpoint;
    default:
        return kFaultNoncontinuable;
    }
}

void FillRegisters(const ucontext_t* context, FaultRecord& fault) {
#if defined(__x86_64__)
    const greg_t* g = context->uc_mcontext.gregs;
    FaultRegisters& r = fault.registers;
    r.ax = static_cast<uint64_t>(g[REG_RAX]);
    r.bx = static_cast<uint64_t>(g[REG_RBX]);
    r.cx = static_cast<uint64_t>(g[REG_RCX]);
    r.dx = static_cast<uint64_t>(g[REG_RDX]);
    r.si = static_cast<uint64_t>(g[REG_RSI]);
    r.di = static_cast<uint64_t>(g[REG_RDI]);
    r.ip = static_cast<uint64_t>(g[REG_RIP]);
    r.sp = static_cast<uint64_t>(g[REG_RSP]);
    r.bp = static_cast<uint64_t>(g[REG_RBP]);
    // CSGSFS packs cs, gs and fs into one word, 16 bits each.
    uint64_t csgsfs = static_cast<uint64_t>(g[REG_CSGSFS]);
    r.cs = static_cast<uint16_t>(csgsfs);
    r.gs = static_cast<uint16_t>(csgsfs >> 16);
    r.fs = static_cast<uint16_t>(csgsfs >> 32);
    r.flags = static_cast<uint64_t>(g[REG_EFL]);
    fault.address = r.ip;
#else
    (void)context;
    (void)fault;
#endif
}

void OnSignal(int signal, siginfo_t* info, void* context) {
    FaultFilter filter = gFilter.load();
    if (filter != nullptr) {
        FaultRecord fault;
        fault.code = FaultCode(info);
        fault.threadId = CurrentThreadId();
        FillRegisters(static_cast<const ucontext_t*>(context), fault);
        std::array<void*, kMaxFrames> frames{};
        int count = backtrace(frames.data(), kMaxFrames);
        // Drop this handler's own frames: the walk starts at the faulting instruction.
        int first = 0;
        for (int i = 0; i < count; ++i) {
            if (reinterpret_cast<uint64_t>(frames[i]) == fault.address) {
                first = i;
                break;
            }
        }
        for (int i = first; i < count; ++i) {
            fault.frames.push_back(reinterpret_cast<uint64_t>(frames[i]));
        }
        filter(fault);
    }
    // The fault was not handled: end the way the signal ends a process.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}

struct SegmentSearch {
    uint64_t address = 0;
    ModuleAddress* out = nullptr;
    bool found = false;
};

int FindSegment(struct dl_phdr_info* info, size_t /*size*/, void* data) {
    auto* search = static_cast<SegmentSearch*>(data);
    uint32_t loadIndex = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type != PT_LOAD) {
            continue;
        }
        ++loadIndex;
        uint64_t start = info->dlpi_addr + header.p_vaddr;
        if (search->address >= start && search->address < start + header.p_memsz) {
            search->out->section = loadIndex;
            search->out->offset = search->address - start;
            search->out->path = info->dlpi_name;
            search->found = true;
            return 1;
        }
    }
    return 0;
}

// Gives the installing thread an alternate signal stack unless it has one (a sanitizer's).
void EnsureAltStack() {
    stack_t current{};
    if (sigaltstack(nullptr, &current) != 0 || (current.ss_flags & SS_DISABLE) == 0) {
        return;
    }
    static std::array<char, kAltStackSize> gAltStack{};
    stack_t stack{};
    stack.ss_sp = gAltStack.data();
    stack.ss_size = gAltStack.size();
    sigaltstack(&stack, nullptr);
}

} // namespace

FaultFilter SetFaultFilter(FaultFilter filter) {
    FaultFilter previous = gFilter.exchange(filter);
    if (filter != nullptr && previous == nullptr) {
        EnsureAltStack();
        // The first walk loads the unwinder; do it now rather than inside a fault.
        std::array<void*, 1> warmUp{};
        backtrace(warmUp.data(), 1);
        struct sigaction action {};
        action.sa_sigaction = OnSignal;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < kFaultSignals.size(); ++i) {
            sigaction(kFaultSignals[i], &action, &gPrevious[i]);
        }
    } else if (filter == nullptr && previous != nullptr) {
        for (size_t i = 0; i < kFaultSignals.size(); ++i) {
            sigaction(kFaultSignals[i], &gPrevious[i], nullptr);
        }
    }
    return previous;
}

bool FaultFilterInstalled() {
    struct sigaction current {};
    sigaction(SIGSEGV, nullptr, &current);
    return (current.sa_flags & SA_SIGINFO) != 0 && current.sa_sigaction == OnSignal;
}

bool ResolveModuleAddress(uint64_t address, ModuleAddress& out) {
    out = ModuleAddress();
    SegmentSearch search;
    search.address = address;
    search.out = &out;
    dl_iterate_phdr(FindSegment, &search);
    if (!search.found) {
        out = ModuleAddress();
        return false;
    }
    if (out.path.empty()) {
        // The main program is listed without a name.
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(address), &info) != 0 && info.dli_fname != nullptr) {
            out.path = info.dli_fname;
        }
    }
    return true;
}

bool SymbolAt(uint64_t address, std::string& name, uint64_t& displacement) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(address), &info) == 0 || info.dli_sname == nullptr) {
        return false;
    }
    int status = 0;
    char* demangled = abi::__cxa_demangle(info.dli_sname, nullptr, nullptr, &status);
    name = status == 0 && demangled != nullptr ? demangled : info.dli_sname;
    std::free(demangled);
    displacement = address - reinterpret_cast<uint64_t>(info.dli_saddr);
    return true;
}

std::string SystemDescription() {
    struct utsname names {};
    if (uname(&names) != 0) {
        return "Linux";
    }
    return std::string(names.sysname) + " " + names.release + " " + names.version;
}

} // namespace Vuro::Platform
