// The whole program crashing on purpose (-crash): it ends by its signal, and the report-only run
// it starts names the functions and source lines of crash.txt through the map file made beside
// the program at build time.

#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

namespace Vuro::Test {
namespace {

TEST(CrashProgram, ACrashReportNamesFunctionsAndSourceLines) {
    TempWorkingFolder folder;
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        close(output[0]);
        execl(VURO_PROGRAM, VURO_PROGRAM, "-crash", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    // The report-only run inherits the pipe: its end is the end of the output.
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(output[0], chunk, sizeof(chunk))) > 0;) {
        text.append(chunk, static_cast<size_t>(got));
    }
    close(output[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << text;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    std::ifstream in(folder.Path() / "crash.txt", std::ios::binary);
    std::stringstream report;
    report << in.rdbuf();
    EXPECT_EQ(report.str().rfind("Exception: Access Violation (code 0xc0000005)", 0), 0u)
        << report.str();
    EXPECT_NE(report.str().find("Logical Address: Vuro::Platform::RaiseFault()"), std::string::npos)
        << report.str();
    EXPECT_NE(report.str().find("Vuro::VuroAppBase::HandleCommandLineOption("), std::string::npos)
        << report.str();
    EXPECT_NE(report.str().find("framework/app/AppCommandLine.cpp line "), std::string::npos)
        << report.str();
    EXPECT_NE(text.find("Fatal Error!"), std::string::npos) << text;
}

} // namespace
} // namespace Vuro::Test
