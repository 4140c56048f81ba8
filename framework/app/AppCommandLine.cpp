// The command line: options that switch demo recording and playback, choose the demo file,
// start screensaver mode or raise a fault for the crash reporter. A value follows its option
// after "="; a value after a blank is an option of its own.
//
// Where this differs from what a reader might expect (each a mended fault):
// - An empty option name (two blanks in a row, a blank after a quoted value) is passed over
//   instead of ending the program as an unknown option.
// - Numbered demo files are counted, deleted and named in the program's folder, where the demo
//   is written, rather than in the folder the program was started from.

#include "framework/app/VuroAppBase.h"

#include "framework/debug/CrashHandler.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>

namespace Vuro {

namespace {

// Older numbered demos are deleted while at least this many exist, unless the option says.
constexpr int kDefaultDemoKeepCount = 5;

// The prefix of numbered demo files as a path from the program's folder; a prefix that is an
// absolute path stays as it is.
std::string NumberedDemoPrefix(const std::string& prefix) {
    return GetPathFrom(prefix, GetFileDir(Platform::ExecutablePath()));
}

// Reads name as prefix, an optional blank run, an optional sign and decimal digits (what the
// numbered-name pattern accepts: anything may follow the digits). False when it does not.
bool ReadDemoNumber(const std::string& name, const std::string& prefix, int& number) {
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    size_t pos = prefix.size();
    while (pos < name.size() && std::isspace(static_cast<unsigned char>(name[pos])) != 0) {
        ++pos;
    }
    bool negative = false;
    if (pos < name.size() && (name[pos] == '-' || name[pos] == '+')) {
        negative = name[pos] == '-';
        ++pos;
    }
    size_t digitsStart = pos;
    long long value = 0;
    while (pos < name.size() && std::isdigit(static_cast<unsigned char>(name[pos])) != 0) {
        value = std::min<long long>(value * 10 + (name[pos] - '0'), INT_MAX);
        ++pos;
    }
    if (pos == digitsStart) {
        return false;
    }
    number = static_cast<int>(negative ? -value : value);
    return true;
}

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
        int number = NextDemoFileNumber(mDemoPrefix, keep, true) + 1;
        mDemoFileName = NumberedDemoPrefix(mDemoPrefix) + StrFormat("%d.dmo", number);
    } else if (name == "-playnum") {
        int back = std::max(std::atoi(value.c_str()) - 1, 0);
        mPlayingDemoBuffer = true;
        mRecordingDemoBuffer = false;
        int number = NextDemoFileNumber(mDemoPrefix, back, false) - back;
        mDemoFileName = NumberedDemoPrefix(mDemoPrefix) + StrFormat("%d.dmo", number);
    } else if (name == "-record") {
        mRecordingDemoBuffer = true;
        mPlayingDemoBuffer = false;
    } else if (name == "-demofile") {
        mDemoFileName = value;
    } else if (name == "-crash") {
        Platform::RaiseFault();
    } else if (name == kCrashReportOption) {
        mCrashReportOnly = true;
    } else if (name == kCrashAttachOption) {
        mCrashAttachment = value;
    } else if (name == "-screensaver") {
        mIsScreenSaver = true;
    } else {
        Popup("Invalid Command Line Param: " + name);
        DoExit(0);
    }
}

int VuroAppBase::NextDemoFileNumber(const std::string& prefix, int count, bool deleteOld) {
    std::string path = NumberedDemoPrefix(prefix);
    std::string folder = GetFileDir(path, true);
    std::string namePrefix = path.substr(folder.size());
    std::vector<Platform::FileEntry> entries;
    if (!Platform::FindFiles(path + "*.dmo", entries)) {
        return 0;
    }
    std::map<int, std::string> numbered; // number -> file name
    for (const Platform::FileEntry& entry : entries) {
        int number = 0;
        if (!entry.isDirectory && ReadDemoNumber(entry.name, namePrefix, number)) {
            numbered.emplace(number, entry.name);
        }
    }
    if (numbered.empty()) {
        return 0;
    }
    if (deleteOld && static_cast<int>(numbered.size()) >= count) {
        (void)Platform::RemoveFile(folder + numbered.begin()->second);
    }
    return numbered.rbegin()->first;
}

} // namespace Vuro
