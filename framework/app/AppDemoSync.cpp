// Values the application chooses to keep equal between a recorded run and its playback: while
// recording they are written to the demo as they are, while playing back they are replaced by
// what the recording held. The code that asks for the value reads its record at the tick it
// asks, as every value record is read.
//
// A record whose length runs past the end of the stream means the demo is damaged: playback
// ends there, with the value left as it was (mended: the length drove the copy unchecked).

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include "platform/Process.h"

#include <vector>

namespace Vuro {

namespace {

// The smallest record: a 4-bit delta, the flag and a 5-bit code (mouse records are longer).
constexpr int kMinRecordBits = 10;

} // namespace

bool VuroAppBase::DemoRecordsLeft() const {
    // Less than a whole record is the padding of the last byte, not a record.
    return !mDemoNeedsHeader || mDemoBuffer.BitsLeft() >= kMinRecordBits;
}

bool VuroAppBase::DemoBytesLeft(uint32_t count) {
    if (count <= static_cast<uint32_t>(mDemoBuffer.BitsLeft() / 8)) {
        return true;
    }
    EndDemoStream();
    return false;
}

void VuroAppBase::EndDemoStream() {
    Platform::DebugOutput("Demo playback stopped: the record stream is damaged\r\n");
    mDemoBuffer.Clear();
    mDemoNeedsHeader = true;
    mFastForwardToEnd = false;
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
