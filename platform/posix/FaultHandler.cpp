#include "platform/FaultHandler.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include "platform/Threads.h"

#include <cxxabi.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/utsname.h>
#include <ucontext.h>
#include <unistd.h>
#include <unwind.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace Vuro::Platform {

namespace {

constexpr std::array<int, 6> kFaultSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP};
// The handler's own frames (and a sanitizer's) before the faulting one.
constexpr int kMaxHandlerFrames = 16;
// Room for the filter when the fault was a stack overflow, which leaves the thread's own stack
// unusable; a sanitizer's instrumented frames are large.
constexpr size_t kAltStackSize = 256 * 1024;
constexpr size_t kPathSize = 4096;
constexpr size_t kMaxReportArgs = 8;

std::atomic<FaultFilter> gFilter{nullptr};
std::array<struct sigaction, kFaultSignals.size()> gPrevious{};
std::atomic<unsigned> gWatchdogSeconds{5};
// The kernel id of the thread that reports; 0 until a fault.
std::atomic<long> gReportingThread{0};
std::atomic<int> gFaultSignal{0};

// Made at installation, used inside the handler.
FaultRecord gRecord;
std::array<FaultFrame, kMaxFaultFrames + kMaxHandlerFrames> gRawFrames;
char gExecutablePath[kPathSize];
char gSystemText[4 * sizeof(utsname::release) + 8];
char gReportArgText[kPathSize];
// The program's own, then the extra one, then a null no start writes over.
std::array<char*, kMaxReportArgs + 2> gReportArgs{};
size_t gReportArgCount = 0; // the program's own; 0: no program

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

long KernelThreadId() {
    return syscall(SYS_gettid);
}

// Reads through the kernel, so a frame address the unwinder got wrong gives zeros, not a
// second fault.
void ReadStackWords(uint64_t address, uint64_t (&words)[4]) {
    iovec local{words, sizeof(words)};
    iovec remote{reinterpret_cast<void*>(address), sizeof(words)};
    if (process_vm_readv(getpid(), &local, 1, &remote, 1, 0) !=
        static_cast<ssize_t>(sizeof(words))) {
        std::memset(words, 0, sizeof(words));
    }
}

struct Walk {
    int count = 0;
};

_Unwind_Reason_Code OnFrame(_Unwind_Context* context, void* data) {
    auto* walk = static_cast<Walk*>(data);
    if (walk->count == static_cast<int>(gRawFrames.size())) {
        return _URC_NORMAL_STOP;
    }
    int beforeInstruction = 0;
    FaultFrame& frame = gRawFrames[static_cast<size_t>(walk->count++)];
    frame.pc = _Unwind_GetIPInfo(context, &beforeInstruction);
    frame.frame = _Unwind_GetCFA(context);
    ReadStackWords(frame.frame, frame.params);
    return _URC_NO_REASON;
}

// The unwinder reads the tables the compiler wrote, so it walks code built without frame
// pointers; it steps through the signal frame into the faulting one.
void WalkStack(FaultRecord& fault) {
    Walk walk;
    fault.walkEnd = static_cast<int>(_Unwind_Backtrace(OnFrame, &walk));
    // Drop this handler's own frames: the walk starts at the faulting instruction.
    int first = 0;
    for (int i = 0; i < walk.count && i < kMaxHandlerFrames; ++i) {
        if (gRawFrames[static_cast<size_t>(i)].pc == fault.address) {
            first = i;
            break;
        }
    }
    fault.frameCount = 0;
    for (int i = first; i < walk.count && fault.frameCount < kMaxFaultFrames; ++i) {
        fault.frames[fault.frameCount++] = gRawFrames[static_cast<size_t>(i)];
    }
}

// Ends the process with the signal's own status.
void EndWithSignal(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    pthread_sigmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signal);
    _exit(128 + signal); // only when the signal could not end it
}

void OnWatchdog(int /*signal*/) {
    EndWithSignal(gFaultSignal.load());
}

void StartWatchdog() {
    struct sigaction action {};
    action.sa_handler = OnWatchdog;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    alarm(gWatchdogSeconds.load());
}

void OnSignal(int signal, siginfo_t* info, void* context) {
    long self = KernelThreadId();
    long owner = 0;
    if (!gReportingThread.compare_exchange_strong(owner, self)) {
        if (owner == self) {
            EndWithSignal(gFaultSignal.load()); // the report itself faulted
        }
        for (;;) {
            pause(); // the reporting thread ends the process
        }
    }
    gFaultSignal = signal;
    StartWatchdog();
    FaultFilter filter = gFilter.load();
    if (filter != nullptr) {
        gRecord = FaultRecord();
        gRecord.code = FaultCode(info);
        gRecord.threadId = CurrentThreadId();
        FillRegisters(static_cast<const ucontext_t*>(context), gRecord);
        WalkStack(gRecord);
        filter(gRecord);
    }
    // Pending until this handler returns, then the default action ends the process.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}

struct ModuleSearch {
    uint64_t address = 0;
    uint64_t bias = 0;
    const char* name = nullptr;
};

int FindModule(struct dl_phdr_info* info, size_t /*size*/, void* data) {
    auto* search = static_cast<ModuleSearch*>(data);
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        uint64_t start = info->dlpi_addr + header.p_vaddr;
        if (header.p_type == PT_LOAD && search->address >= start &&
            search->address < start + header.p_memsz) {
            search->bias = info->dlpi_addr;
            search->name = info->dlpi_name;
            return 1;
        }
    }
    return 0;
}

bool ReadExact(int file, void* data, size_t size, uint64_t offset) {
    return pread(file, data, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
}

// The file's section holding a link-time address, searched header by header so no buffer is
// needed. Thread-local storage sections overlap others in the address space and are skipped.
bool FindSection(const char* path, uint64_t linkAddress, ModuleAddress& out) {
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    bool found = false;
    Elf64_Ehdr header{};
    if (ReadExact(file, &header, sizeof(header), 0) &&
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
        header.e_ident[EI_CLASS] == ELFCLASS64 && header.e_shentsize == sizeof(Elf64_Shdr)) {
        for (uint32_t i = 1; i < header.e_shnum && !found; ++i) {
            Elf64_Shdr section{};
            if (!ReadExact(file, &section, sizeof(section),
                           header.e_shoff + uint64_t{i} * sizeof(section))) {
                break;
            }
            if ((section.sh_flags & SHF_ALLOC) != 0 && (section.sh_flags & SHF_TLS) == 0 &&
                linkAddress >= section.sh_addr &&
                linkAddress <= section.sh_addr + section.sh_size) {
                out.section = i;
                out.offset = linkAddress - section.sh_addr;
                found = true;
            }
        }
    }
    close(file);
    return found;
}

void RememberExecutablePath() {
    if (gExecutablePath[0] != '\0') {
        return;
    }
    ssize_t length = readlink("/proc/self/exe", gExecutablePath, kPathSize - 1);
    gExecutablePath[length > 0 ? length : 0] = '\0';
}

void FillSystemText() {
    struct utsname names {};
    if (uname(&names) != 0) {
        std::strcpy(gSystemText, "Linux");
        return;
    }
    // The three parts with blanks between; each fits, as the buffer holds four of the largest.
    char* end = gSystemText;
    for (const char* part : {names.sysname, names.release, names.version}) {
        if (end != gSystemText) {
            *end++ = ' ';
        }
        size_t length = strnlen(part, sizeof(names.release));
        std::memcpy(end, part, length);
        end += length;
    }
    *end = '\0';
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
        RememberExecutablePath();
        FillSystemText();
        // The first walk loads the unwinder and its tables; do it now rather than in a fault.
        Walk warmUp;
        _Unwind_Backtrace(OnFrame, &warmUp);
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

void SetFaultWatchdogSeconds(unsigned seconds) {
    gWatchdogSeconds = seconds;
}

bool ResolveModuleAddress(uint64_t address, ModuleAddress& out) {
    out = ModuleAddress();
    ModuleSearch search;
    search.address = address;
    if (dl_iterate_phdr(FindModule, &search) == 0) {
        return false;
    }
    // The main program is listed without a name.
    const char* path = search.name;
    if (path == nullptr || path[0] == '\0') {
        RememberExecutablePath();
        path = gExecutablePath;
    }
    if (!FindSection(path, address - search.bias, out)) {
        out = ModuleAddress();
        return false;
    }
    out.path = path;
    return true;
}

const char* SystemDescription() {
    if (gSystemText[0] == '\0') {
        FillSystemText();
    }
    return gSystemText;
}

bool WriteFileSignalSafe(const char* path, const char* data, size_t size) {
    SignalSafeFile file(path);
    file.Write(data, size);
    return file.Close();
}

SignalSafeFile::SignalSafeFile(const char* path)
    : mFile(open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {}

SignalSafeFile::~SignalSafeFile() {
    (void)Close();
}

void SignalSafeFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (mFile >= 0 && mWhole && size > 0) {
        ssize_t written = write(mFile, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            mWhole = false;
            break;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

bool SignalSafeFile::Close() {
    if (mFile < 0) {
        return false;
    }
    // On the disk before the process ends: a crash may be followed by a power cut or a reset.
    const bool synced = fsync(mFile) == 0;
    const bool closed = close(mFile) == 0;
    mFile = -1;
    return mWhole && synced && closed;
}

void SetFaultReportProgram(const std::vector<std::string>& args) {
    gReportArgs.fill(nullptr);
    gReportArgCount = 0;
    // A program that would run without some of its arguments is not started at all: the count
    // is set only once every one is in.
    if (args.size() > kMaxReportArgs) {
        return;
    }
    char* end = gReportArgText;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string arg = i == 0 ? NativePath(args[i]) : SystemToNative(args[i]);
        size_t room = static_cast<size_t>(gReportArgText + kPathSize - end);
        if (arg.size() + 1 > room) {
            return;
        }
        std::memcpy(end, arg.c_str(), arg.size() + 1);
        gReportArgs[i] = end;
        end += arg.size() + 1;
    }
    gReportArgCount = args.size();
}

bool StartFaultReportProgram(const char* extraArg) {
    if (gReportArgCount == 0) {
        return false;
    }
    // In the one place after the program's own, so starts do not pile theirs up.
    gReportArgs[gReportArgCount] = const_cast<char*>(extraArg);
    // _Fork runs no fork handlers, which could wait for a lock the crashed thread holds.
    pid_t child = _Fork();
    if (child == 0) {
        // Its own session, so it outlives this process; the fault signal was blocked here.
        setsid();
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execve(gReportArgs[0], gReportArgs.data(), environ);
        _exit(127);
    }
    return child > 0;
}

std::string DemangleSymbol(const std::string& name) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    std::string text = status == 0 && demangled != nullptr ? demangled : name;
    std::free(demangled);
    return text;
}

} // namespace Vuro::Platform
