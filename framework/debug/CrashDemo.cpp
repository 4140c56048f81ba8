#include "framework/debug/CrashDemo.h"

#include "framework/app/CommandLineOptions.h"
#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"
#include "platform/FaultHandler.h"
#include "platform/FileSystem.h"
#include "platform/LittleEndian.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace Vuro {

namespace {

// Bits appended to the record stream's last, partly written byte, least significant first, and
// written to the file a block at a time.
class StreamTail {
public:
    StreamTail(Platform::SignalSafeFile& file, uint8_t partialByte, int usedBits)
        : mFile(file), mBitPos(usedBits) {
        mBlock[0] = partialByte;
    }

    void WriteBits(int32_t value, int bitCount) {
        for (int i = 0; i < bitCount; ++i) {
            if (mBitPos == 8 * static_cast<int>(sizeof(mBlock))) {
                mFile.Write(mBlock, sizeof(mBlock));
                mBitPos = 0;
            }
            uint8_t& target = mBlock[mBitPos / 8];
            if (mBitPos % 8 == 0) {
                target = 0;
            }
            if (((static_cast<uint32_t>(value) >> i) & 1) != 0) {
                target |= static_cast<uint8_t>(1 << (mBitPos % 8));
            }
            ++mBitPos;
        }
    }
    // The bytes holding the bits written, the last one padded with zeros.
    void Finish() { mFile.Write(mBlock, static_cast<size_t>((mBitPos + 7) / 8)); }

private:
    Platform::SignalSafeFile& mFile;
    uint8_t mBlock[512] = {};
    int mBitPos; // bits used in mBlock
};

} // namespace

void PrepareCrashDemo(const VuroAppBase& app, CrashDemo& out) {
    if (!app.mRecordingDemoBuffer) {
        out.mPath.clear();
        return;
    }
    out.mPath = Platform::NativePath(app.mDemoFileName);
    out.mAttachArg =
        Platform::SystemToNative(std::string(kCrashAttachOption) + "=" + app.mDemoFileName);
    DemoFile header;
    header.mSeed = app.mRandSeed;
    header.mProductVersion = app.mProductVersion;
    header.mMarkers = app.mDemoMarkerList;
    out.mHeader = header.WriteHeader();
}

bool WriteCrashDemo(const CrashDemo& demo, const VuroAppBase& app) {
    if (demo.mPath.empty()) {
        return false;
    }
    Platform::SignalSafeFile file(demo.mPath.c_str());
    if (!file.IsOpen()) {
        return false;
    }
    const int updateCount = app.mUpdateCount;
    file.Write(demo.mHeader.data(), demo.mHeader.size());
    uint8_t endTick[4];
    Platform::PutInt32LE(endTick, updateCount);
    file.Write(endTick, sizeof(endTick));

    const Buffer& records = app.mDemoBuffer;
    const int usedBits = records.GetWritePos();
    const uint8_t* bytes = records.GetDataPtr();
    const size_t wholeBytes = static_cast<size_t>(usedBits / 8);
    if (wholeBytes > 0) {
        file.Write(bytes, wholeBytes);
    }
    StreamTail tail(file, usedBits % 8 != 0 ? bytes[wholeBytes] : uint8_t{0}, usedBits % 8);
    // The closing filler at the crash's tick, as the recording would have written it.
    DemoRecord::WriteUpdateDelta(tail, std::max(0, updateCount - app.mDemoNextUpdate));
    tail.WriteBits(0, 1);
    tail.WriteBits(DemoRecord::kFiller, 5);
    tail.Finish();
    return file.Close();
}

} // namespace Vuro
