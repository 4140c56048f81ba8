// Values the application chooses to keep equal between a recorded run and its playback: while
// recording they are written to the demo as they are, while playing back they are replaced by
// what the recording held. The code that asks for the value reads its record at the tick it
// asks, as every value record is read.
//
// A record whose length runs past the end of the stream means the demo is damaged: playback
// ends there, with the value left as it was, before the length drives any copy.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include <vector>

namespace Vuro {

bool VuroAppBase::DemoRecordsLeft() const {
    return RecordsLeft();
}

bool VuroAppBase::DemoBytesLeft(uint32_t count) {
    return BytesLeft(count);
}

void VuroAppBase::EndDemoStream() {
    EndStream();
}

void VuroAppBase::SyncDemoBuffer(Buffer& buffer) {
    if (mPlayingDemoBuffer) {
        // After the last record the program runs on by itself: its values stay its own.
        if (mClosedByUser || !DemoRecordsLeft()) {
            return;
        }
        ReadDemoValueHeader();
        uint32_t length = static_cast<uint32_t>(mDemoBuffer.ReadLong());
        if (!DemoBytesLeft(length)) {
            return;
        }
        std::vector<uint8_t> bytes(length);
        mDemoBuffer.ReadBytes(bytes.data(), static_cast<int>(length));
        buffer.Clear();
        buffer.SetData(bytes.data(), static_cast<int>(length));
    } else if (mRecordingDemoBuffer) {
        WriteDemoRecordHeader(DemoRecord::kSyncBuffer, false);
        mDemoBuffer.WriteLong(buffer.GetDataLen());
        mDemoBuffer.WriteBytes(buffer.GetDataPtr(), buffer.GetDataLen());
    }
}

void VuroAppBase::SyncDemoString(std::string& value) {
    if (!mPlayingDemoBuffer && !mRecordingDemoBuffer) {
        return;
    }
    Buffer buffer;
    buffer.WriteString(value);
    SyncDemoBuffer(buffer);
    value = buffer.ReadString();
}

void VuroAppBase::SyncDemoBool(bool& value) {
    if (!mPlayingDemoBuffer && !mRecordingDemoBuffer) {
        return;
    }
    Buffer buffer;
    buffer.WriteBoolean(value);
    SyncDemoBuffer(buffer);
    value = buffer.ReadBoolean();
}

} // namespace Vuro
