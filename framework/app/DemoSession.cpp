// The demo session's own work: the framing of the record stream, the mouse records, the file's
// fields, numbered demo files and the jump targets of playback.
//
// Behaviour a reader might not expect:
// - Numbered demo files are counted, deleted and named in the program's folder, where the demo
//   is written, rather than in the folder the program was started from.
// - A captured mouse can leave the window: an absolute move holds -2048..2047 (playback reads
//   it signed), so a drag to the left of or above the window replays there.

#include "framework/app/DemoSession.h"

#include "framework/app/DemoRecord.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>

namespace Vuro {

namespace {

// The smallest record: a 4-bit delta, the flag and a 5-bit code (mouse records are longer).
constexpr int kMinRecordBits = 10;

// Jump times are cut to this many seconds, so the ms of a jump fit an int.
constexpr long long kMaxJumpSeconds = INT_MAX / 1000 - 1;

// The prefix of numbered demo files as a path from the program's folder.
std::string NumberedPrefix(const std::string& prefix) {
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

// [SECTION] Record stream

void DemoSession::WriteUpdateDelta(int updateCount) {
    // A count that went back (a screen may reset it) is recorded as no gap.
    DemoRecord::WriteUpdateDelta(mDemoBuffer, std::max(0, updateCount - mDemoNextUpdate));
    mDemoNextUpdate = updateCount;
}

void DemoSession::WriteRecordHeader(int updateCount, int code, bool mouse) {
    WriteUpdateDelta(updateCount);
    mDemoBuffer.WriteBits(mouse ? 1 : 0, 1);
    mDemoBuffer.WriteBits(code, mouse ? 1 : 5);
}

void DemoSession::WriteMouseRecords(int updateCount, int x, int y, int button, bool up) {
    using namespace DemoRecord;
    int dx = x - mDemoMouseX;
    int dy = y - mDemoMouseY;
    if (std::abs(dx) >= kRelativeMoveLimit || std::abs(dy) >= kRelativeMoveLimit) {
        WriteRecordHeader(updateCount, kMouseMoveTo, false);
        mDemoBuffer.WriteBits(std::clamp(x, -2048, 2047), 12);
        mDemoBuffer.WriteBits(std::clamp(y, -2048, 2047), 12);
    } else if (dx != 0 || dy != 0) {
        WriteRecordHeader(updateCount, kMouseMoveBy, true);
        mDemoBuffer.WriteBits(dx, 6);
        mDemoBuffer.WriteBits(dy, 6);
    }
    if (button != 0) {
        WriteRecordHeader(updateCount, kMouseButton, true);
        mDemoBuffer.WriteBits(up ? 0 : 1, 1);
        mDemoBuffer.WriteBits(button, 3);
    }
    mDemoMouseX = x;
    mDemoMouseY = y;
}

bool DemoSession::ReadUpdateDelta(int updateCount) {
    if (mDemoNeedsHeader) {
        int delta = mDemoBuffer.ReadBits(4, false);
        mDemoIsMouseRecord = mDemoBuffer.ReadBits(1, false) != 0;
        mDemoRecordCode = mDemoBuffer.ReadBits(mDemoIsMouseRecord ? 1 : 5, false);
        mDemoNextUpdate += delta;
        mDemoNeedsHeader = false;
    }
    return updateCount == mDemoNextUpdate;
}

bool DemoSession::RecordsLeft() const {
    // Less than a whole record is the padding of the last byte, not a record.
    return !mDemoNeedsHeader || mDemoBuffer.BitsLeft() >= kMinRecordBits;
}

bool DemoSession::BytesLeft(uint32_t count) {
    if (count <= static_cast<uint32_t>(mDemoBuffer.BitsLeft() / 8)) {
        return true;
    }
    EndStream();
    return false;
}

void DemoSession::EndStream() {
    Platform::DebugOutput("Demo playback stopped: the record stream is damaged\r\n");
    mDemoBuffer.Clear();
    mDemoNeedsHeader = true;
    mFastForwardToEnd = false;
}

// [SECTION] Demo file

void DemoSession::TakeFile(DemoFile& demo) {
    mDemoMarkerList = std::move(demo.mMarkers);
    mDemoEndTick = demo.mEndTick;
    mDemoBuffer.Clear();
    mDemoBuffer.SetData(demo.mRecords.data(), static_cast<int>(demo.mRecords.size()));
}

DemoFile DemoSession::MakeFile(uint32_t seed, const std::string& productVersion,
                               int updateCount) const {
    DemoFile demo;
    demo.mSeed = seed;
    demo.mProductVersion = productVersion;
    demo.mMarkers = mDemoMarkerList;
    demo.mEndTick = updateCount;
    const uint8_t* records = mDemoBuffer.GetDataPtr();
    demo.mRecords.assign(records, records + mDemoBuffer.GetDataLen());
    return demo;
}

int DemoSession::NextFileNumber(const std::string& prefix, int count, bool deleteOld) {
    std::string path = NumberedPrefix(prefix);
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

std::string DemoSession::NumberedFileName(const std::string& prefix, int number) {
    return NumberedPrefix(prefix) + StrFormat("%d.dmo", number);
}

// [SECTION] Jumps

int DemoSession::ParseJumpTime(const std::string& text) {
    long long seconds = 0;
    size_t start = 0;
    while (true) {
        size_t colon = text.find(':', start);
        std::string field = text.substr(start, colon == std::string::npos ? colon : colon - start);
        long long value =
            std::clamp(std::strtoll(field.c_str(), nullptr, 10), -kMaxJumpSeconds, kMaxJumpSeconds);
        seconds = std::clamp(seconds * 60 + value, -kMaxJumpSeconds, kMaxJumpSeconds);
        if (colon == std::string::npos) {
            return static_cast<int>(seconds);
        }
        start = colon + 1;
    }
}

std::string DemoSession::MarkerText(const DemoMarker& marker, int frameTime) {
    long long ms = static_cast<long long>(marker.update) * frameTime;
    int hours = static_cast<int>(ms / 3600000);
    int minutes = static_cast<int>(ms / 60000 % 60);
    int seconds = static_cast<int>(ms / 1000 % 60);
    return StrFormat("%s (%02d:%02d:%02d)", marker.name.c_str(), hours, minutes, seconds);
}

bool DemoSession::JumpToMarker(int update, int updateCount) {
    if (update <= updateCount) {
        return false;
    }
    mFastForwardTarget = update;
    return true;
}

void DemoSession::JumpBeforeEnd(long long ms, int frameTime) {
    mFastForwardTarget =
        static_cast<int>(std::clamp(mDemoEndTick - ms / frameTime, static_cast<long long>(INT_MIN),
                                    static_cast<long long>(INT_MAX)));
}

} // namespace Vuro
