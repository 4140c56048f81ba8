#pragma once
// Little-endian pieces of the WAVE files the system writes (the sound cache, the fmod back
// end's "cached_" samples): the file's start with its PCM "fmt " chunk, and chunk headers.

#include "platform/LittleEndian.h"

#include <cstdint>
#include <vector>

namespace Vuro {

inline void PutLE16(std::vector<uint8_t>& out, uint32_t value) {
    Platform::AppendLE(out, value, 2);
}

inline void PutLE32(std::vector<uint8_t>& out, uint32_t value) {
    Platform::AppendLE(out, value, 4);
}

inline void PutChunkHeader(std::vector<uint8_t>& out, const char* tag, uint32_t size) {
    out.insert(out.end(), tag, tag + 4);
    PutLE32(out, size);
}

// "RIFF", riffSize, "WAVE" and a 16-byte "fmt " chunk of format tag 1, with block alignment
// channels x bits / 8 and the matching byte rate.
inline void PutWaveStart(std::vector<uint8_t>& out, uint32_t riffSize, uint32_t channels,
                         uint32_t samplesPerSec, uint32_t bits) {
    const uint32_t blockAlign = channels * bits / 8;
    PutChunkHeader(out, "RIFF", riffSize);
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    PutChunkHeader(out, "fmt ", 16);
    PutLE16(out, 1);
    PutLE16(out, channels);
    PutLE32(out, samplesPerSec);
    PutLE32(out, blockAlign * samplesPerSec);
    PutLE16(out, blockAlign);
    PutLE16(out, bits);
}

} // namespace Vuro
