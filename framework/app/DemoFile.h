#pragma once
// A demo file as it lies on disk: header (magic, version, random seed, product version), the
// marker list, the end tick and the bytes of the record stream. It only turns bytes into these
// fields and back; the application applies them (seed, markers, record stream).
//
// Layout, little-endian: magic u32, version u32 (2 is written; below 2 there is no marker
// block), seed u32, product version length u16 and its bytes, marker block length u32 and the
// block (a Buffer: count u32, then per marker a string and an update number u32), end tick u32,
// then the record stream to the end of the file.
//
// Read answers false with the reader's message on any fault; nothing it allocates is larger
// than the bytes it was given. A product version longer than 255 bytes is skipped whole and
// its first 255 bytes are compared, so the rest of the header is still read in step.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Vuro {

// A named point of a recording, to jump to during playback.
struct DemoMarker {
    std::string name;
    int update = 0; // update count at the marker

    bool operator==(const DemoMarker&) const = default;
};

class DemoFile {
public:
    static constexpr uint32_t kMagic = 0x42BEEF78;
    static constexpr int32_t kVersion = 2;
    // Versions from this one on carry a marker block.
    static constexpr int32_t kFirstMarkerVersion = 2;
    // Bytes of the product version that are compared; the rest is skipped.
    static constexpr size_t kMaxProductVersion = 255;
    // The longest record stream a Buffer can address (32-bit bit positions).
    static constexpr size_t kMaxRecordBytes = 0x0FFFFFFF;
    // Longer files are refused unread, so a reader never holds more than this.
    static constexpr size_t kMaxFileBytes = 2 * kMaxRecordBytes;

    static constexpr const char* kInvalidMessage = "Invalid demo file.";

    // Reads a file image. expectedProductVersion is the running program's: a file made by
    // another version is refused with "This demo file appears to be for '<version>'".
    [[nodiscard]] bool Read(const uint8_t* data, size_t size,
                            const std::string& expectedProductVersion, std::string& error);
    // The file image of the fields (version field as stored in mVersion).
    std::vector<uint8_t> Write() const;
    // The part of it before the end tick: the header and the marker block.
    std::vector<uint8_t> WriteHeader() const;

    int32_t mVersion = kVersion;
    uint32_t mSeed = 0;
    std::string mProductVersion; // at most kMaxProductVersion bytes after Read
    std::vector<DemoMarker> mMarkers;
    int32_t mEndTick = 0; // update count when the file was written
    std::vector<uint8_t> mRecords;
};

} // namespace Vuro
