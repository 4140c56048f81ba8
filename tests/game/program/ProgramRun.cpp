#include "ProgramRun.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace Vuro::Test {

namespace fs = std::filesystem;

namespace {
// What the asset tool makes beside the program.
constexpr const char* kDataFolders[] = {"images", "levels", "local", "sound"};
// The game's application key, as folders.
constexpr const char* kKeyFolder = "Kelmontrave/Quandrellis/";
} // namespace

std::string PlayerDataPath(const TempFolder& folder, const std::string& name) {
    return folder.Path(std::string("share/") + kKeyFolder + name);
}

ProgramRun::ProgramRun(const std::string& program, const TempFolder& folder)
    : mFolder(folder.Folder()), mProgram(folder.Path(fs::path(program).filename().string())),
      mOutput(folder.Path("output.txt")) {
    // A folder that held a run before keeps its links: a later start of the same program.
    std::error_code linked;
    if (!fs::exists(mProgram)) {
        fs::create_hard_link(program, mProgram, linked);
        if (linked) {
            fs::copy_file(program, mProgram);
        }
    }
    fs::path data = fs::path(program).parent_path();
    for (const char* name : kDataFolders) {
        if (!fs::exists(folder.Path(name))) {
            fs::create_directory_symlink(data / name, folder.Path(name));
        }
    }
    for (const char* name : {"share", "config", "run", "tmp"}) {
        fs::create_directories(folder.Path(name));
    }
}

ProgramRun::~ProgramRun() {
    if (mInput >= 0) {
        close(mInput);
    }
    if (mStarted && !mEnded) {
        // The program leads a process group: what it started goes with it.
        kill(-mPid, SIGKILL);
        waitpid(mPid, nullptr, 0);
    }
}

std::string ProgramRun::Path(const std::string& relative) const {
    return (fs::path(mFolder) / relative).string();
}

std::string ProgramRun::DataPath(const std::string& name) const {
    return Path(std::string("share/") + kKeyFolder + name);
}

std::string ProgramRun::PlaybackPath(const std::string& name) const {
    for (const auto& entry : fs::directory_iterator(Path("tmp"))) {
        if (entry.path().filename().string().starts_with("Quandrellis-playback-")) {
            return (entry.path() / name).string();
        }
    }
    return {};
}

double ProgramRun::CpuSeconds() const {
    if (mEnded) {
        return mEndCpuSeconds;
    }
    std::ifstream stat("/proc/" + std::to_string(mPid) + "/stat");
    std::string line;
    if (!mStarted || !std::getline(stat, line)) {
        return 0.0;
    }
    // The command's name stands in parentheses and may hold blanks; the fields after it are
    // numbered from 3 (the state): utime and stime are fields 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string skipped;
    for (int field = 3; field < 14; ++field) {
        fields >> skipped;
    }
    long long userTicks = 0;
    long long systemTicks = 0;
    fields >> userTicks >> systemTicks;
    return static_cast<double>(userTicks + systemTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool ProgramRun::Start(const std::vector<std::string>& options,
                       const std::vector<std::string>& environment) {
    // Player files, settings, an instance lock and temporary files of its own: a fresh start,
    // beside other runs, and never the user's.
    std::vector<std::string> env = {"SDL_VIDEODRIVER=dummy",
                                    "SDL_AUDIODRIVER=dummy",
                                    "VURO_DEBUG_OUTPUT=1",
                                    "XDG_DATA_HOME=" + Path("share"),
                                    "XDG_CONFIG_HOME=" + Path("config"),
                                    "XDG_RUNTIME_DIR=" + Path("run"),
                                    "TMPDIR=" + Path("tmp")};
    env.insert(env.end(), environment.begin(), environment.end());
    for (char** var = environ; *var != nullptr; ++var) {
        std::string entry = *var;
        if (!entry.starts_with("SDL_") && !entry.starts_with("XDG_") &&
            !entry.starts_with("DISPLAY=") && !entry.starts_with("TMPDIR=")) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = {mProgram};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    mInput = pipeEnds[1];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, 1, mOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    // A process group of its own, which the run's end clears of whatever the program started.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    mStarted =
        posix_spawn(&mPid, mProgram.c_str(), &actions, &attributes, argv.data(), envp.data()) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[0]);
    return mStarted;
}

void ProgramRun::Type(const std::string& text) {
    if (mInput >= 0) {
        (void)!write(mInput, text.data(), text.size());
    }
}

void ProgramRun::Terminate() {
    if (mStarted && !mEnded) {
        kill(mPid, SIGTERM);
    }
}

std::string ProgramRun::Output() const {
    std::ifstream in(mOutput, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ProgramRun::Ended() {
    siginfo_t exited{};
    if (mStarted && !mEnded &&
        waitid(P_PID, static_cast<id_t>(mPid), &exited, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        exited.si_pid == mPid) {
        // Its group's id stays the program's until it is waited for: what it left running in
        // the group is ended first.
        kill(-mPid, SIGKILL);
        rusage usage{};
        wait4(mPid, &mStatus, 0, &usage);
        mEnded = true;
        mEndCpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return mEnded;
}

int ProgramRun::WaitForExit(Clock::time_point deadline) {
    while (Clock::now() < deadline && !Ended()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return mEnded && WIFEXITED(mStatus) ? WEXITSTATUS(mStatus) : -1;
}

} // namespace Vuro::Test
