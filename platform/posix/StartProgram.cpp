#include "platform/Process.h"

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>
#include <vector>

extern char** environ;

namespace Vuro::Platform {

bool StartProgram(const std::string& name, const std::vector<std::string>& args) {
    const std::string program = NativePath(name);
    std::vector<std::string> native;
    for (const std::string& arg : args) {
        native.push_back(SystemToNative(arg));
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string& arg : native) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // posix_spawnp reports a program that cannot be run (not found, not executable).
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    // Nobody waits for the program; this thread collects its exit so no zombie stays behind.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace Vuro::Platform
