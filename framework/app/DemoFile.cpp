#include "framework/app/DemoFile.h"

#include "framework/util/Buffer.h"
#include "platform/LittleEndian.h"

#include <algorithm>

namespace Vuro {

namespace {

// Little-endian fields off a byte range; every read answers false at the end of the data.
class FieldReader {
public:
    FieldReader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    size_t Left() const { return mSize - mPos; }
    [[nodiscard]] bool U16(uint32_t& value) { return Little(2, value); }
    [[nodiscard]] bool U32(uint32_t& value) { return Little(4, value); }
    // The next count bytes, or false when fewer are left.
    [[nodiscard]] bool Bytes(size_t count, const uint8_t*& bytes) {
        if (count > Left()) {
            return false;
        }
        bytes = mData + mPos;
        mPos += count;
        return true;
    }

private:
    bool Little(size_t count, uint32_t& value) {
        const uint8_t* bytes = nullptr;
        if (!Bytes(count, bytes)) {
            return false;
        }
        value = Platform::LoadLE(bytes, static_cast<int>(count));
        return true;
    }

    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

// Reads the marker block: a count, then markers until the count is reached or the block ends.
bool ReadMarkers(const uint8_t* bytes, size_t size, std::vector<DemoMarker>& markers) {
    Buffer block;
    block.SetData(bytes, static_cast<int>(size));
    int32_t count = block.ReadLong();
    markers.clear();
    while (static_cast<int64_t>(markers.size()) < count && !block.AtEnd()) {
        DemoMarker marker;
        marker.name = block.ReadString();
        marker.update = block.ReadLong();
        markers.push_back(std::move(marker));
    }
    return static_cast<int64_t>(markers.size()) >= count;
}

} // namespace

bool DemoFile::Read(const uint8_t* data, size_t size, const std::string& expectedProductVersion,
                    std::string& error) {
    FieldReader in(data, size);
    error = kInvalidMessage;
    uint32_t magic = 0;
    uint32_t version = 0;
    if (!in.U32(magic) || magic != kMagic || !in.U32(version) || !in.U32(mSeed)) {
        return false;
    }
    mVersion = static_cast<int32_t>(version);

    uint32_t versionLength = 0;
    const uint8_t* versionBytes = nullptr;
    if (!in.U16(versionLength) || !in.Bytes(versionLength, versionBytes)) {
        return false;
    }
    mProductVersion.assign(reinterpret_cast<const char*>(versionBytes),
                           std::min<size_t>(versionLength, kMaxProductVersion));
    if (mProductVersion != expectedProductVersion) {
        error = "This demo file appears to be for '" + mProductVersion + "'";
        return false;
    }

    mMarkers.clear();
    if (mVersion >= kFirstMarkerVersion) {
        size_t rest = in.Left();
        uint32_t blockLength = 0;
        const uint8_t* block = nullptr;
        if (!in.U32(blockLength) || blockLength >= rest || !in.Bytes(blockLength, block) ||
            !ReadMarkers(block, blockLength, mMarkers)) {
            return false;
        }
    }

    uint32_t endTick = 0;
    const uint8_t* records = nullptr;
    if (!in.U32(endTick) || in.Left() == 0 || in.Left() > kMaxRecordBytes ||
        !in.Bytes(in.Left(), records)) {
        return false;
    }
    mEndTick = static_cast<int32_t>(endTick);
    mRecords.assign(records, data + size);
    error.clear();
    return true;
}

std::vector<uint8_t> DemoFile::Write() const {
    std::vector<uint8_t> bytes = WriteHeader();
    uint8_t endTick[4];
    Platform::PutInt32LE(endTick, mEndTick);
    bytes.insert(bytes.end(), endTick, endTick + 4);
    bytes.insert(bytes.end(), mRecords.begin(), mRecords.end());
    return bytes;
}

std::vector<uint8_t> DemoFile::WriteHeader() const {
    Buffer out;
    out.WriteLong(static_cast<int32_t>(kMagic));
    out.WriteLong(mVersion);
    out.WriteLong(static_cast<int32_t>(mSeed));
    size_t versionLength = std::min<size_t>(mProductVersion.size(), 0xFFFF);
    out.WriteShort(static_cast<int16_t>(static_cast<uint16_t>(versionLength)));
    out.WriteBytes(reinterpret_cast<const uint8_t*>(mProductVersion.data()),
                   static_cast<int>(versionLength));
    if (mVersion >= kFirstMarkerVersion) {
        Buffer block;
        block.WriteLong(static_cast<int32_t>(mMarkers.size()));
        for (const DemoMarker& marker : mMarkers) {
            block.WriteString(marker.name);
            block.WriteLong(marker.update);
        }
        out.WriteLong(block.GetDataLen());
        out.WriteBytes(block.GetDataPtr(), block.GetDataLen());
    }
    const uint8_t* bytes = out.GetDataPtr();
    return std::vector<uint8_t>(bytes, bytes + out.GetDataLen());
}

} // namespace Vuro
