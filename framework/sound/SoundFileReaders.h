#pragma once
// The readers that turn a sound file into PCM for a sound buffer: WAV as it is, Sun AU (8-bit
// mu-law to 16-bit, 8-bit linear to unsigned 8-bit) and Ogg Vorbis (16-bit).
//
// Each reader takes an open stream, closes it in every case, and answers true only when the
// whole sound was read. It asks its target for a buffer of the final format and size and fills
// it through one lock. Sizes that the file cannot hold are refused before any buffer is made,
// so a lying header never costs memory.

#include "platform/SoundDevice.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace Vuro {

class PcmTarget {
public:
    virtual ~PcmTarget() = default;
    // Makes a buffer of dataSize bytes and locks all of it; null when either fails.
    virtual uint8_t* CreateAndLock(const Platform::WaveFormat& format, uint32_t dataSize) = 0;
    // False when the unlock fails.
    virtual bool Unlock() = 0;
};

// The last write of a file as a Windows file time; false, with 0, when it cannot be opened.
using FileTimeQuery = bool (*)(const std::string& path, uint64_t& fileTime);

// PCM format with block alignment channels x bits / 8 and the matching byte rate.
Platform::WaveFormat MakePcmFormat(uint32_t channels, uint32_t samplesPerSec, uint32_t bits);

// A "dep " chunk names the file the data was decoded from and that file's write time; when
// fileTime answers another time the file is refused as stale.
[[nodiscard]] bool ReadWAVSound(FILE* file, PcmTarget& target, FileTimeQuery fileTime);
[[nodiscard]] bool ReadAUSound(FILE* file, PcmTarget& target);
[[nodiscard]] bool ReadOGGSound(FILE* file, PcmTarget& target);

// One AU mu-law byte as a 16-bit sample.
int16_t MuLawToSample(uint8_t byte);

} // namespace Vuro
