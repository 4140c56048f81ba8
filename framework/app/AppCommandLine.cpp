// The command line: options that switch demo recording and playback, choose the demo file,
// start screensaver mode or raise a fault for the crash reporter. A value follows its option
// after "="; a value after a blank is an option of its own.
//
// Behaviour a reader might not expect:
// - An empty option name (two blanks in a row, a blank after a quoted value) is passed over
//   instead of ending the program as an unknown option.

#include "framework/app/VuroAppBase.h"

#include "framework/app/CommandLineOptions.h"
#include "platform/Process.h"

#include <algorithm>
#include <cstdlib>

namespace Vuro {

namespace {

// Older numbered demos are deleted while at least this many exist, unless the option says.
constexpr int kDefaultDemoKeepCount = 5;

} // namespace

void VuroAppBase::ParseCommandLine() {
    std::string line = Platform::CommandLine();
    mCmdLineParsed = true;
    size_t searchFrom = 0;
    if (!line.empty() && line[0] == '"') {
        size_t closing = line.find('"', 1);
        if (closing == std::string::npos) {
            return;
        }
        searchFrom = closing + 1;
    }
    size_t blank = line.find(' ', searchFrom);
    if (blank == std::string::npos) {
        return;
    }
    SplitCommandLine(line.substr(blank + 1));
}

void VuroAppBase::SplitCommandLine(const std::string& text) {
    std::string name;
    std::string value;
    bool inQuotes = false;
    bool inValue = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool ended = false;
        if (c == '"') {
            inQuotes = !inQuotes;
            ended = !inQuotes;
        } else if (c == ' ' && !inQuotes) {
            ended = true;
        } else if (c == '=') {
            inValue = true;
        } else if (inValue) {
            value += c;
        } else {
            name += c;
        }
        if (ended || i + 1 == text.size()) {
            if (!name.empty()) {
                HandleCommandLineOption(name, value);
            }
            name.clear();
            value.clear();
            inValue = false;
        }
    }
}

void VuroAppBase::HandleCommandLineOption(const std::string& name, const std::string& value) {
    if (name == "-play") {
        mPlayingDemoBuffer = true;
        mRecordingDemoBuffer = false;
    } else if (name == "-recnum") {
        int keep = std::atoi(value.c_str());
        if (keep < 1) {
            keep = kDefaultDemoKeepCount;
        }
        mRecordingDemoBuffer = true;
        mPlayingDemoBuffer = false;
        mDemoFileName =
            NumberedFileName(mDemoPrefix, NextDemoFileNumber(mDemoPrefix, keep, true) + 1);
    } else if (name == "-playnum") {
        int back = std::max(std::atoi(value.c_str()) - 1, 0);
        mPlayingDemoBuffer = true;
        mRecordingDemoBuffer = false;
        mDemoFileName =
            NumberedFileName(mDemoPrefix, NextDemoFileNumber(mDemoPrefix, back, false) - back);
    } else if (name == "-record") {
        mRecordingDemoBuffer = true;
        mPlayingDemoBuffer = false;
    } else if (name == "-demofile") {
        mDemoFileName = value;
    } else if (name == "-crash") {
        Platform::RaiseFault();
    } else if (name == kCrashReportOption) {
        mCrashReportOnly = true;
        mCrashedProcessId = std::atoi(value.c_str());
    } else if (name == kCrashAttachOption) {
        mCrashAttachment = value;
    } else if (name == "-screensaver") {
        mIsScreenSaver = true;
    } else {
        Popup("Invalid Command Line Param: " + name);
        DoExit(1); // a failure: scripts that start the program must not read it as success
    }
}

int VuroAppBase::NextDemoFileNumber(const std::string& prefix, int count, bool deleteOld) {
    return NextFileNumber(prefix, count, deleteOld);
}

} // namespace Vuro
