// The whole program crashing on purpose (-crash): it ends by its signal, and the report-only run
// it starts names the functions and source lines of crash.txt through the map file made beside
// the program at build time. The optimised program is checked too when its build exists (the
// release preset's folder), since inlining and its thinner debug tables are what the map step
// must survive; the suite does not build it, to keep the test run short.

#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace Vuro::Test {
namespace {

struct CrashRun {
    std::string output; // what the program and its report-only run wrote
    std::string report; // crash.txt
};

// Runs the program with -crash in the test's working folder; it must end by SIGSEGV. The
// program and the report-only run it starts share a process group, which is killed when their
// output has not ended within a minute (a reporter waiting for a user fails, not hangs).
void RunCrashingProgram(const char* program, const std::filesystem::path& folder, CrashRun& run) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setpgid(0, 0);
        // User folders of its own: never the user's player files or settings.
        for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
            setenv(variable, folder.c_str(), 1);
        }
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        close(output[0]);
        execl(program, program, "-crash", static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(child, child);
    close(output[1]);
    // The report-only run inherits the pipe: its end is the end of the output.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    char chunk[4096];
    bool ended = false;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait{output[0], POLLIN, 0};
        if (poll(&wait, 1, 1000) != 1) {
            continue;
        }
        ssize_t got = read(output[0], chunk, sizeof(chunk));
        if (got <= 0) {
            ended = true;
            break;
        }
        run.output.append(chunk, static_cast<size_t>(got));
    }
    close(output[0]);
    if (!ended) {
        kill(-child, SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(ended) << "the report-only run did not end:\n" << run.output;
    ASSERT_TRUE(WIFSIGNALED(status)) << run.output;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    std::ifstream in(folder / "crash.txt", std::ios::binary);
    std::stringstream report;
    report << in.rdbuf();
    run.report = report.str();
}

TEST(CrashProgram, ACrashReportNamesFunctionsAndSourceLines) {
    TempWorkingFolder folder;
    CrashRun run;
    RunCrashingProgram(VURO_PROGRAM, folder.Path(), run);
    const std::string& report = run.report;
    EXPECT_EQ(report.rfind("Exception: Access Violation (code 0xc0000005)", 0), 0u) << report;
    EXPECT_NE(report.find("Logical Address: Vuro::Platform::RaiseFault()"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Vuro::VuroAppBase::HandleCommandLineOption("), std::string::npos)
        << report;
    EXPECT_NE(report.find("framework/app/AppCommandLine.cpp line "), std::string::npos) << report;
    // Where no window can be seen the report goes to a message box, which writes it out.
    EXPECT_NE(run.output.find("Fatal Error!"), std::string::npos) << run.output;
}

TEST(CrashProgram, TheOptimisedProgramNamesFunctionsAndSourceLinesToo) {
    const std::filesystem::path program =
        std::filesystem::path(VURO_SOURCE_DIR) / "build/release/bin/quandrellis";
    if (!std::filesystem::exists(program) || !std::filesystem::exists(program.string() + ".map")) {
        GTEST_SKIP() << "no release build at " << program;
    }
    // A release build older than the program under test may predate the code tested here.
    if (std::filesystem::last_write_time(program) <
        std::filesystem::last_write_time(VURO_PROGRAM)) {
        GTEST_SKIP() << "the release build at " << program << " is older than " << VURO_PROGRAM;
    }
    TempWorkingFolder folder;
    CrashRun run;
    RunCrashingProgram(program.c_str(), folder.Path(), run);
    const std::string& report = run.report;
    EXPECT_EQ(report.rfind("Exception: Access Violation (code 0xc0000005)", 0), 0u) << report;
    EXPECT_NE(report.find("Logical Address: Vuro::Platform::RaiseFault()"), std::string::npos)
        << report;
    // The frames below the fault: the program's entry is never inlined away.
    EXPECT_NE(report.find(" main+0x"), std::string::npos) << report;
    EXPECT_NE(report.find("platform/Process.cpp line "), std::string::npos) << report;
    EXPECT_NE(report.find("Main.cpp line "), std::string::npos) << report;
}

} // namespace
} // namespace Vuro::Test
