#pragma once
// The one decoder of each sound file format: RIFF WAVE (PCM), Sun AU, Ogg Vorbis (Tremor), MP3
// (libmpg123) and tracker modules (libopenmpt). The framework's sound readers and the built-in
// music libraries both decode through these.
//
// - Each decoder takes an open stream and closes it in every case, and answers true only when
//   the whole sound was decoded. It asks its target for one buffer of the final format and
//   size, fills it through one lock, and unlocks it.
// - Sizes a file cannot hold are refused before any buffer is made, so a lying header never
//   costs memory; decoded sizes never pass kBufferBytesMax. A format no sound buffer takes,
//   and a sound too short for one, are refused before the buffer is asked for as well.
// - Output: WAVE as it stands (8- or 16-bit), AU mu-law as 16-bit and linear as unsigned
//   8-bit, Ogg and MP3 as 16-bit at their own rate and channels, modules rendered once through
//   their order list as 16-bit stereo at 44100 Hz.

#include "platform/SoundDevice.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::Platform {

class PcmTarget {
public:
    virtual ~PcmTarget() = default;
    // Makes a buffer of dataSize bytes and locks all of it; null when either fails.
    virtual uint8_t* CreateAndLock(const WaveFormat& format, uint32_t dataSize) = 0;
    // False when the unlock fails.
    virtual bool Unlock() = 0;
};

// Decodes into a new buffer of a sound device, made with the given description flags.
class SoundBufferTarget : public PcmTarget {
public:
    SoundBufferTarget(SoundDevice& device, uint32_t flags) : mDevice(device), mFlags(flags) {}

    uint8_t* CreateAndLock(const WaveFormat& format, uint32_t dataSize) override;
    bool Unlock() override;

    // The buffer made (null before CreateAndLock or when it failed) and its size in bytes.
    std::unique_ptr<SoundBuffer>& Buffer() { return mBuffer; }
    uint32_t DataSize() const { return mDataSize; }

private:
    SoundDevice& mDevice;
    uint32_t mFlags;
    std::unique_ptr<SoundBuffer> mBuffer;
    uint32_t mDataSize = 0;
    uint8_t* mLocked = nullptr;
};

// PCM format with block alignment channels x bits / 8 and the matching byte rate.
WaveFormat MakePcmFormat(uint32_t channels, uint32_t samplesPerSec, uint32_t bits);

// How a decoder asks for its buffer: only a format a sound buffer takes (IsPlayableFormat) and
// a size from kBufferBytesMin to kBufferBytesMax are asked of the target; anything else (no
// channels, 0 or 7 bits, rate 0, nothing decoded) gives null without asking.
uint8_t* CreatePcmBuffer(PcmTarget& target, const WaveFormat& format, uint64_t dataSize);

// Called for a WAVE chunk other than "fmt " and "data", with the stream at the chunk's body;
// false refuses the file. The decoder goes on after the chunk's exact size (no pad byte).
using WaveChunkReader = std::function<bool(const char* id, FILE* file, uint32_t size)>;

// Format tag 1 only; before any "fmt " chunk the data counts as mono 16-bit at 22050 Hz.
[[nodiscard]] bool DecodeWave(FILE* file, PcmTarget& target, const WaveChunkReader& otherChunk);
[[nodiscard]] bool DecodeAu(FILE* file, PcmTarget& target);
[[nodiscard]] bool DecodeOgg(FILE* file, PcmTarget& target);
[[nodiscard]] bool DecodeMp3(FILE* file, PcmTarget& target);

// Longest module that is rendered: about 25 minutes fill the largest buffer.
inline constexpr double kModuleSecondsMax = kBufferBytesMax / (44100.0 * 4);
// orderFrames (when given) receives, per entry of the module's order list, the output frame
// where that order starts. A module longer than maxSeconds is refused.
[[nodiscard]] bool DecodeModule(FILE* file, PcmTarget& target,
                                std::vector<uint32_t>* orderFrames = nullptr,
                                double maxSeconds = kModuleSecondsMax);

// One AU mu-law byte as a 16-bit sample, by the standard (G.711) expansion: 0x80 and 0x00 are
// the loudest, +-32124, and 0xFF and 0x7F silence.
int16_t MuLawToSample(uint8_t byte);

enum class SoundFileKind { Unknown, Wave, Au, Ogg, Mp3, Module };

// The kind by the file's content, not its name: the magic of WAVE, AU and Ogg, a module that
// libopenmpt recognises, else an ID3 tag or an MPEG audio frame header. Unknown when the file
// cannot be opened or is none of these.
SoundFileKind IdentifySoundFile(const std::string& path);
// Decodes the file with the decoder of `kind` (orderFrames as DecodeModule's); false for
// Unknown and when the file cannot be opened.
[[nodiscard]] bool DecodeSoundFile(const std::string& path, SoundFileKind kind, PcmTarget& target,
                                   std::vector<uint32_t>* orderFrames = nullptr);

} // namespace Vuro::Platform
