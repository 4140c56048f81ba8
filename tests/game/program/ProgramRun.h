#pragma once
// One run of the real program on SDL's dummy video and audio drivers, in a folder of its own
// that stands beside the program's data set: the program is linked (or copied) into the folder
// and the data folders the asset tool made are linked beside it. The run's user folders are in
// the folder too: $XDG_DATA_HOME (the player files) is share/, $XDG_CONFIG_HOME (the settings)
// config/, $XDG_RUNTIME_DIR (the instance lock) run/ and $TMPDIR (a playback's copy of the
// player files) tmp/. Its output (stdout and stderr) goes to a file; its standard input is a
// pipe the test writes to (on the dummy driver, typed characters). The program leads a process
// group of its own: what it started and left running ends with it, or with the run object.

#include "support/TempFolder.h"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace Vuro::Test {

// A player file of the runs in folder (ProgramRun::DataPath).
std::string PlayerDataPath(const TempFolder& folder, const std::string& name);

class ProgramRun {
public:
    using Clock = std::chrono::steady_clock;

    // Links program and its data folders into folder (a folder that held a run of it before is
    // taken as it is); nothing is started yet.
    ProgramRun(const std::string& program, const TempFolder& folder);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the program with the options, and NAME=value entries added to its environment;
    // false when it could not be started.
    bool Start(const std::vector<std::string>& options,
               const std::vector<std::string>& environment = {});
    // Characters for the program's standard input.
    void Type(const std::string& text);
    // Asks the program to end with SIGTERM, as the desktop does at log-out.
    void Terminate();
    std::string Output() const;
    // The exit status once the program ended by itself before the deadline; -1 otherwise.
    int WaitForExit(Clock::time_point deadline);
    // The processor time (user and system, all threads) the program has used so far, or in all
    // once it has ended (seen by WaitForExit); a speed measured by it holds however busy the
    // machine is.
    double CpuSeconds() const;
    // A path inside the run's folder.
    std::string Path(const std::string& relative) const;
    // A player file of the run: in the user's data folder of the game's key.
    std::string DataPath(const std::string& name) const;
    // A player file in the copy a demo's playback worked on; empty when there is no copy.
    std::string PlaybackPath(const std::string& name) const;

private:
    bool Ended();

    std::string mFolder;
    std::string mProgram; // the link in the folder
    std::string mOutput;
    pid_t mPid = 0;
    int mInput = -1; // the write end of the standard input's pipe
    bool mStarted = false;
    bool mEnded = false;
    int mStatus = 0;
    double mEndCpuSeconds = 0.0;
};

} // namespace Vuro::Test
