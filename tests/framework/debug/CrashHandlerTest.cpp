// The crash reporter: the report for a made-up fault, line by line, with and without an
// application; the fault filter installed and put back; and real faults in child processes
// (a segmentation fault, an abort, a double free inside the C library's allocator, a stack
// overflow, a filter that stalls), each ending with its signal's status and a crash.txt; and
// the report program started with its arguments whole, each start with one extra argument, and
// not at all when its arguments do not fit.

#include "framework/debug/CrashHandler.h"
#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "platform/DriverInfo.h"
#include "platform/FaultHandler.h"
#include "platform/Process.h"
#include "platform/SoundDevice.h"
#include "platform/TextEncoding.h"
#include "support/BoundedWait.h"
#include "support/ChildRun.h"
#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedEvents.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace Vuro::Test {
namespace {

class CrashTestApp : public VuroAppBase {
public:
    CrashTestApp() { mOnlyAllowOneCopyToRun = false; }
    bool OnChangeDirectory(const std::string&) override { return true; }
    std::string GetCrashInfo() override { return crashInfo; }
    std::string crashInfo = "Product: Garden\r\n";
};

Platform::FaultRecord MadeUpFault(uint32_t code) {
    Platform::FaultRecord fault;
    fault.code = code;
    fault.address = 0x1234; // inside no module
    fault.threadId = 0x2A;
    Platform::FaultRegisters& r = fault.registers;
    r.ax = 1;
    r.bx = 2;
    r.cx = 3;
    r.dx = 4;
    r.si = 5;
    r.di = 6;
    r.ip = 0x1234;
    r.sp = 0x7FF0;
    r.bp = 0x7FF8;
    r.cs = 0x33;
    r.ss = 0x2B;
    r.flags = 0x10246;
    return fault;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string kRegisters =
    "EAX:00000001 EBX:00000002 ECX:00000003 EDX:00000004 ESI:00000005 EDI:00000006\r\n"
    "EIP:00001234 ESP:00007FF0  EBP:00007FF8\r\n"
    "CS:0033 SS:002B DS:0000 ES:0000 FS:0000 GS:0000\r\n"
    "Flags:00010246\r\n"
    "\r\n";

class CrashHandlerTest : public ::testing::Test {
protected:
    std::string SystemLine() {
        return std::string("System: ") + Platform::SystemDescription() + "\r\n";
    }

    TempWorkingFolder mFolder;
    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    FakeClipboard mClipboard;
};

TEST_F(CrashHandlerTest, ReportWithoutApplicationEndsAfterTheSystemLine) {
    CrashHandler::BuildCrashReport(MadeUpFault(0xC0000005));
    std::string expected =
        "Exception: Access Violation (code 0xc0000005) at address 00001234 in thread 2A\r\n"
        "Module: \r\n"
        "Logical Address: 0000:00000000\r\n"
        "\r\n"
        "00001234  00007FF8  0000:00000000 \r\n"
        "\r\n" +
        kRegisters + SystemLine();
    EXPECT_EQ(CrashHandler::LastReport(), expected);
    EXPECT_EQ(CrashHandler::ErrorTitle(), "Exception at 0000:00000000");
    EXPECT_EQ(ReadFile(mFolder.Path() / "crash.txt"), expected + "\n");
    EXPECT_TRUE(mWindows.mBoxes.empty()) << "the windows are the report-only run's";
    EXPECT_EQ(mClipboard.mWrites, 0);
}

TEST_F(CrashHandlerTest, CodesOutsideTheTableAreUnknown) {
    CrashHandler::BuildCrashReport(MadeUpFault(0xE06D7363));
    EXPECT_EQ(CrashHandler::LastReport().rfind(
                  "Unknown exception: (code 0xe06d7363) at address 00001234 in thread 2A\r\n", 0),
              0u);
    EXPECT_STREQ(CrashHandler::ExceptionName(0xC00000FD), "Stack Overflow");
    EXPECT_STREQ(CrashHandler::ExceptionName(0), "Wait 0");
    EXPECT_STREQ(CrashHandler::ExceptionName(0xFFFFFFFF), "");
}

TEST_F(CrashHandlerTest, EveryFrameWithItsParametersAndTheApplicationAsPublished) {
    StackApp<CrashTestApp> app;
    CrashHandler::PublishCrashInfo(app);
    app.crashInfo = "Product: changed since\r\n"; // not published: the report keeps the old
    Platform::FaultRecord fault = MadeUpFault(0xC0000094);
    fault.frameCount = 2;
    fault.frames[0] = {0x7FF0, 0x1234, {1, 2, 3, 4}};
    fault.frames[1] = {0x8000, 0x10, {0xA, 0xB, 0xC, 0xD}};
    fault.walkEnd = 5;
    CrashHandler::CrashFilter(fault);
    Platform::SilenceSoundOutput(false); // OnCrash silenced the process

    EXPECT_TRUE(app.mCrashed);
    std::string expected =
        "Exception: Integer Divide by Zero (code 0xc0000094) at address 00001234 in thread "
        "2A\r\n"
        "Module: \r\n"
        "Logical Address: 0000:00000000\r\n"
        "\r\n"
        "00007FF0 00001234 0000:00000000 \r\n"
        "Params: 00000001 00000002 00000003 00000004\r\n"
        "\r\n"
        "00008000 00000010 0000:00000000 \r\n"
        "Params: 0000000A 0000000B 0000000C 0000000D\r\n"
        "\r\n"
        "StackWalk failed (error 5)\r\n"
        "\r\n" +
        kRegisters + SystemLine() + "Video Driver: " + Platform::VideoDriverVersion() +
        "\r\nAudio Driver: " + Platform::AudioDriverVersion() + "\r\n" + "\r\nProduct: Garden\r\n";
    EXPECT_EQ(CrashHandler::LastReport(), expected);
}

TEST_F(CrashHandlerTest, DestroyedApplicationIsNotReached) {
    {
        StackApp<CrashTestApp> app;
        CrashHandler::PublishCrashInfo(app);
        EXPECT_EQ(CrashHandler::GetRegisteredApp(), &app);
    }
    EXPECT_EQ(CrashHandler::GetRegisteredApp(), nullptr);
    CrashHandler::CrashFilter(MadeUpFault(0xC0000005));
    EXPECT_EQ(CrashHandler::LastReport().find("Product"), std::string::npos);
}

TEST(CrashHandlerInstall, InstallsTheFilterAndPutsThePreviousBack) {
    EXPECT_FALSE(Platform::FaultFilterInstalled());
    {
        CrashHandler handler;
        EXPECT_TRUE(Platform::FaultFilterInstalled());
    }
    EXPECT_FALSE(Platform::FaultFilterInstalled());
}

// Deep enough to overflow any thread stack; the volatile frame keeps it from becoming a loop.
int Recurse(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return depth > 0 ? Recurse(depth + 1) + frame[0] : 0;
}

// A block the C library's own allocator frees twice: it stops the process from inside free,
// holding its heap lock, so a handler that allocated would never return. (The sanitizers'
// allocator is passed by, so that this is the C library's.)
void DoubleFreeInTheCLibrary() {
    void* libc = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
    auto* libcMalloc = reinterpret_cast<void* (*)(size_t)>(dlsym(libc, "malloc"));
    auto* libcFree = reinterpret_cast<void (*)(void*)>(dlsym(libc, "free"));
    // Too large for the per-thread cache, so the second free runs under the heap lock.
    void* block = libcMalloc(4096);
    void* guard = libcMalloc(64); // keeps the block from the top of the heap
    libcFree(block);
    libcFree(block);
    libcFree(guard);
}

void StallForever(const Platform::FaultRecord&) {
    for (;;) {
        pause();
    }
}

struct RealFault {
    const char* name;
    std::function<void()> fault;
    int signal;
    const char* firstLine; // how crash.txt begins; empty: no report is expected
};

// Each fault runs in a child process with the crash handler installed; the child must end by
// the fault's signal, leaving crash.txt behind (a handler that never ends, with no watchdog,
// fails the test once the wait for it runs out).
TEST(CrashHandlerRealFaults, EachEndsWithItsSignalAndAReport) {
    const RealFault kFaults[] = {
        {"segmentation fault", [] { Platform::RaiseFault(); }, SIGSEGV,
         "Exception: Access Violation (code 0xc0000005) at address "},
        {"abort", [] { std::abort(); }, SIGABRT,
         "Exception: Noncontinuable Exception (code 0xc0000025) at address "},
        {"double free", DoubleFreeInTheCLibrary, SIGABRT,
         "Exception: Noncontinuable Exception (code 0xc0000025) at address "},
        {"stack overflow", [] { std::printf("%d", Recurse(1)); }, SIGSEGV,
         "Exception: Access Violation (code 0xc0000005) at address "},
        {"stalled report",
         [] {
             Platform::SetFaultFilter(StallForever);
             Platform::RaiseFault();
         },
         SIGSEGV, ""},
    };
    for (const RealFault& test : kFaults) {
        SCOPED_TRACE(test.name);
        TempWorkingFolder folder;
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CrashHandler handler;
            // The watchdog's real time, kept short: only the stalled report waits for it.
            Platform::SetFaultWatchdogSeconds(1);
            test.fault();
            _exit(0);
        }
        int status = 0;
        if (!ReapWithin(child, &status)) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << "the faulting process did not end";
            continue;
        }
        ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
        EXPECT_EQ(WTERMSIG(status), test.signal);
        std::string report = ReadFile(folder.Path() / "crash.txt");
        if (test.firstLine[0] == '\0') {
            EXPECT_EQ(report, "");
            continue;
        }
        EXPECT_EQ(report.rfind(test.firstLine, 0), 0u) << report;
        EXPECT_NE(report.find("\r\nParams: "), std::string::npos) << report;
        EXPECT_NE(report.find("StackWalk failed (error "), std::string::npos) << report;
        EXPECT_NE(report.find("\r\nSystem: "), std::string::npos) << report;
    }
}

// Each argument reaches the report program whole as the operating system takes it, also one
// that is longer there than in the system's text (Cyrillic in UTF-8), and the extra one last,
// once at each start. A set that does not fit starts nothing. The starts run in a child of the
// test, which reaps each program before the next; the program writes to the child's pipe.
TEST(CrashReportProgram, StartsWithEveryArgumentWhole) {
    struct Case {
        std::vector<std::string> args; // after the shell's three
        const char* output;            // of two starts in a row
    };
    const Case cases[] = {
        {{Platform::Utf8ToCp1251("Ёжик"), "next"},
         "Ёжик|next|-crashattach=a.dmo|\nЁжик|next|-crashattach=a.dmo|\n"},
        {{"a", "b", "c", "d", "e"},
         "a|b|c|d|e|-crashattach=a.dmo|\na|b|c|d|e|-crashattach=a.dmo|\n"},
        {{"a", "b", "c", "d", "e", "f"}, "refused\nrefused\n"}, // nine in all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size());
        ChildRun run = RunInChild([&c](int reportPipe) {
            std::vector<std::string> args = {"/bin/sh", "-c",
                                             "printf '%s|' \"$0\" \"$@\" > /dev/fd/" +
                                                 std::to_string(reportPipe)};
            args.insert(args.end(), c.args.begin(), c.args.end());
            Platform::SetFaultReportProgram(args);
            for (int start = 0; start < 2; ++start) {
                const bool started = Platform::StartFaultReportProgram("-crashattach=a.dmo");
                if (started) {
                    wait(nullptr); // the program has written its line when it ends
                }
                Report(reportPipe, started ? "\n" : "refused\n");
            }
        });
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.report, c.output);
    }
}

TEST(CrashHelpers, FileNamePartAndHexadecimal) {
    EXPECT_EQ(GetFileNamePart("C:\\game\\bin/quandrellis"), "quandrellis");
    EXPECT_EQ(GetFileNamePart("a/b\\c.exe"), "c.exe");
    EXPECT_EQ(GetFileNamePart("plain"), "plain");
    EXPECT_EQ(UIntToHexString(0xC0000005), "c0000005");
    uint32_t value = 7;
    EXPECT_TRUE(HexStringToUInt("", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(HexStringToUInt("00aF10", value));
    EXPECT_EQ(value, 0xAF10u);
    EXPECT_FALSE(HexStringToUInt("12G", value));
}

} // namespace
} // namespace Vuro::Test
