// Typed reads and writes of the application's settings store, and whole-file reads, all passed
// through the demo: a recorded run appends each outcome and its data to the demo buffer, a
// played-back run takes them from there and touches neither the store nor the disk.
//
// Behaviour a reader might not expect:
// - WriteRegValue answers, and records, whether the value was really stored.
// - A replayed registry read whose recorded data does not fit the caller's buffer fails
//   without writing past it (its bytes are still consumed, so the stream stays in step).
// - A replayed registry or file length longer than the rest of the stream means the demo is
//   damaged: playback ends there instead of copying or allocating that length.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"
#include "framework/util/PathHelpers.h"
#include "platform/FileSystem.h"
#include "platform/LittleEndian.h"
#include "platform/Registry.h"

#include <cstdio>
#include <vector>

namespace Vuro {

namespace {

struct RegName {
    std::string appKey; // the application's key, no trailing separator
    std::string subKey; // the part of the value name before its last "\"
    std::string value;  // the part after it
};

RegName SplitRegName(const std::string& regKey, const std::string& name) {
    RegName result;
    result.appKey = RemoveTrailingSlash(regKey);
    size_t slash = name.rfind('\\');
    if (slash == std::string::npos) {
        result.value = name;
    } else {
        result.subKey = name.substr(0, slash);
        result.value = name.substr(slash + 1);
    }
    return result;
}

// Reads count recorded bytes: the first `room` into out, the rest dropped. Stops at the end of
// the stream, so a damaged length cannot run on.
void ReadRecordedBytes(Buffer& demo, uint32_t count, uint8_t* out, uint32_t room) {
    for (uint32_t i = 0; i < count && !demo.AtEnd(); ++i) {
        uint8_t byte = demo.ReadByte();
        if (i < room) {
            out[i] = byte;
        }
    }
}

} // namespace

bool VuroAppBase::WriteRegValue(const std::string& name, uint32_t type, const uint8_t* data,
                                uint32_t length) {
    if (mRegKey.empty()) {
        return false;
    }
    if (mPlayingDemoBuffer) {
        if (mClosedByUser) {
            return true;
        }
        ReadDemoValueHeader();
        return mDemoBuffer.ReadBits(1, false) != 0;
    }
    RegName key = SplitRegName(mRegKey, name);
    Platform::Registry& registry = Platform::GetRegistry();
    bool opened =
        registry.KeyExists(key.appKey, key.subKey) || registry.CreateKey(key.appKey, key.subKey);
    bool stored =
        opened && registry.SetValue(key.appKey, key.subKey, key.value, type, data, length);
    if (mRecordingDemoBuffer) {
        WriteDemoRecordHeader(DemoRecord::kRegistryWrite, false);
        mDemoBuffer.WriteBits(stored ? 1 : 0, 1);
    }
    return stored;
}

bool VuroAppBase::WriteRegString(const std::string& name, const std::string& value) {
    return WriteRegValue(name, Platform::kRegSz, reinterpret_cast<const uint8_t*>(value.data()),
                         static_cast<uint32_t>(value.size()));
}

bool VuroAppBase::WriteRegInt(const std::string& name, int value) {
    auto word = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                              static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
    return WriteRegValue(name, Platform::kRegDword, bytes, 4);
}

bool VuroAppBase::WriteRegBool(const std::string& name, bool value) {
    return WriteRegInt(name, value ? 1 : 0);
}

bool VuroAppBase::ReadRegValue(const std::string& name, uint32_t& type, uint8_t* data,
                               uint32_t& length) {
    if (mRegKey.empty()) {
        return false;
    }
    if (mPlayingDemoBuffer) {
        if (mClosedByUser) {
            return false;
        }
        ReadDemoValueHeader();
        if (mDemoBuffer.ReadBits(1, false) == 0) {
            return false;
        }
        uint32_t recordedType = static_cast<uint32_t>(mDemoBuffer.ReadLong());
        uint32_t recordedLength = static_cast<uint32_t>(mDemoBuffer.ReadLong());
        if (!DemoBytesLeft(recordedLength)) {
            return false;
        }
        ReadRecordedBytes(mDemoBuffer, recordedLength, data, length);
        if (recordedLength > length) {
            return false;
        }
        type = recordedType;
        length = recordedLength;
        return true;
    }
    RegName key = SplitRegName(mRegKey, name);
    Platform::RegResult result =
        Platform::GetRegistry().QueryValue(key.appKey, key.subKey, key.value, type, data, length);
    bool ok = result == Platform::RegResult::Ok;
    if (mRecordingDemoBuffer) {
        WriteDemoRecordHeader(DemoRecord::kRegistryRead, false);
        mDemoBuffer.WriteBits(ok ? 1 : 0, 1);
        if (ok) {
            mDemoBuffer.WriteLong(static_cast<int32_t>(type));
            mDemoBuffer.WriteLong(static_cast<int32_t>(length));
            mDemoBuffer.WriteBytes(data, static_cast<int>(length));
        }
    }
    return ok;
}

bool VuroAppBase::ReadRegInt(const std::string& name, int& value) {
    uint8_t bytes[4] = {};
    uint32_t type = 0;
    uint32_t length = sizeof bytes;
    if (!ReadRegValue(name, type, bytes, length) || type != Platform::kRegDword) {
        return false;
    }
    value = Platform::GetInt32LE(bytes);
    return true;
}

bool VuroAppBase::ReadRegBool(const std::string& name, bool& value) {
    int number = 0;
    if (!ReadRegInt(name, number)) {
        return false;
    }
    value = number != 0;
    return true;
}

void VuroAppBase::EraseRegValue(const std::string& name) {
    if (mRegKey.empty()) {
        return;
    }
    RegName key = SplitRegName(mRegKey, name);
    (void)Platform::GetRegistry().DeleteValue(key.appKey, key.subKey, key.value);
}

bool VuroAppBase::ReadBufferFromFile(const std::string& path, Buffer& out, bool doNotRecord) {
    if (mPlayingDemoBuffer && !doNotRecord) {
        if (mClosedByUser) {
            return false;
        }
        ReadDemoValueHeader();
        if (mDemoBuffer.ReadBits(1, false) == 0) {
            return false;
        }
        uint32_t count = static_cast<uint32_t>(mDemoBuffer.ReadLong());
        if (!DemoBytesLeft(count)) {
            return false;
        }
        out.Clear();
        for (uint32_t i = 0; i < count && !mDemoBuffer.AtEnd(); ++i) {
            out.WriteByte(mDemoBuffer.ReadByte());
        }
        return true;
    }
    bool record = mRecordingDemoBuffer && !doNotRecord;
    std::vector<uint8_t> bytes;
    bool read = false;
    if (FILE* file = Platform::OpenFile(path, "rb")) {
        long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
        if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<size_t>(size));
            read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        }
        std::fclose(file);
    }
    if (!read) {
        if (record) {
            WriteDemoRecordHeader(DemoRecord::kFileRead, false);
            mDemoBuffer.WriteBits(0, 1);
        }
        return false;
    }
    out.Clear();
    out.SetData(bytes.data(), static_cast<int>(bytes.size()));
    if (record) {
        WriteDemoRecordHeader(DemoRecord::kFileRead, false);
        mDemoBuffer.WriteBits(1, 1);
        mDemoBuffer.WriteLong(static_cast<int32_t>(bytes.size()));
        mDemoBuffer.WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
    }
    return true;
}

} // namespace Vuro
