#pragma once
// Sound output: a device that holds sound buffers of PCM data and plays them, each with its own
// volume, pan, frequency and looping, mixed in software into the one output stream.
//
// - Volumes are attenuations in hundredths of a decibel, kVolumeMin (silence) to kVolumeMax;
//   pan is -10000 (right channel silent) to 10000 (left channel silent), attenuating only the
//   far side. Values outside these ranges are refused with InvalidParam and change nothing.
// - Buffers hold 1 or 2 channels of 8-bit (unsigned) or 16-bit (signed, little-endian)
//   samples, kBufferBytesMin to kBufferBytesMax bytes; other formats and sizes are refused.
// - A duplicate shares its source's data but plays with its own settings, and keeps the data
//   alive when the source goes.
// - A non-looping buffer stops by itself at its end; a looping one wraps to its start.
// - The primary buffer only takes a format; the output runs at 44100 Hz, 2 channels, 16 bits.
// - The wave-out volume (0..65535) scales everything the output plays; it exists even when no
//   device could be made.
// - SilenceSoundOutput silences everything the process plays from the next block of output on
//   (false gives it back). It only sets a flag, so a fault handler may call it.

#include <cstdint>
#include <memory>

namespace Vuro::Platform {

class Window;

enum class SoundResult {
    Ok,
    Allocated, // the output is held elsewhere
    OutOfMemory,
    InvalidParam,  // a value or format out of range
    InvalidCall,   // not possible on this buffer (a primary buffer, a buffer not locked)
    Uninitialized, // the device was not set up
};

struct WaveFormat {
    uint16_t formatTag = 1; // 1: PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0; // bytes per frame
    uint16_t bitsPerSample = 0;
};

// A format a sound buffer takes: PCM, 1 or 2 channels of 8 or 16 bits, its block alignment,
// and a rate from kFrequencyMin to kFrequencyMax.
bool IsPlayableFormat(const WaveFormat& format);

// Buffer description flags.
inline constexpr uint32_t kBufferPrimary = 0x1;
inline constexpr uint32_t kBufferStatic = 0x2;
inline constexpr uint32_t kBufferLocSoftware = 0x8;
inline constexpr uint32_t kBufferCtrlFrequency = 0x20;
inline constexpr uint32_t kBufferCtrlPan = 0x40;
inline constexpr uint32_t kBufferCtrlVolume = 0x80;
inline constexpr uint32_t kBufferGlobalFocus = 0x8000;

inline constexpr uint32_t kBufferBytesMin = 4;
inline constexpr uint32_t kBufferBytesMax = 0x0FFFFFFF;
inline constexpr int kVolumeMin = -10000;
inline constexpr int kVolumeMax = 0;
inline constexpr int kPanLeft = -10000;
inline constexpr int kPanRight = 10000;
inline constexpr uint32_t kFrequencyMin = 100;
inline constexpr uint32_t kFrequencyMax = 200000;
inline constexpr uint32_t kFrequencyOriginal = 0; // SetFrequency: back to the format's rate

// GetStatus bits.
inline constexpr uint32_t kStatusPlaying = 0x1;
inline constexpr uint32_t kStatusLooping = 0x4;

// Cooperative levels.
inline constexpr int kCoopNormal = 1;
inline constexpr int kCoopPriority = 2;

void SilenceSoundOutput(bool silenced);

struct BufferDesc {
    uint32_t flags = 0;
    uint32_t bufferBytes = 0; // 0 for the primary buffer
    WaveFormat format;        // unused for the primary buffer
};

class SoundBuffer {
public:
    virtual ~SoundBuffer() = default;
    // The whole data from offset; Unlock must follow with the same pointer.
    virtual SoundResult Lock(uint32_t offset, uint32_t bytes, uint8_t** data) = 0;
    virtual SoundResult Unlock(uint8_t* data) = 0;
    virtual SoundResult GetFormat(WaveFormat& format) = 0;
    virtual SoundResult SetFormat(const WaveFormat& format) = 0;
    virtual SoundResult SetVolume(int volume) = 0;
    virtual SoundResult GetVolume(int& volume) = 0;
    virtual SoundResult SetPan(int pan) = 0;
    virtual SoundResult GetPan(int& pan) = 0;
    virtual SoundResult SetFrequency(uint32_t frequency) = 0;
    virtual SoundResult GetFrequency(uint32_t& frequency) = 0;
    // Plays from the current position.
    virtual SoundResult Play(bool looping) = 0;
    virtual SoundResult Stop() = 0;
    // In bytes.
    virtual SoundResult SetCurrentPosition(uint32_t position) = 0;
    // The part a looping play repeats, in bytes from startByte up to endByte; what lies before
    // it plays once. The whole buffer until set. For the built-in music libraries (sound
    // effects always loop whole).
    virtual SoundResult SetLoopPoints(uint32_t startByte, uint32_t endByte) = 0;
    virtual SoundResult GetStatus(uint32_t& status) = 0;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual SoundResult SetCooperativeLevel(Window* window, int level) = 0;
    virtual SoundResult CreateSoundBuffer(const BufferDesc& desc,
                                          std::unique_ptr<SoundBuffer>& buffer) = 0;
    virtual SoundResult DuplicateSoundBuffer(SoundBuffer& source,
                                             std::unique_ptr<SoundBuffer>& duplicate) = 0;
};

class AudioSystem {
public:
    virtual ~AudioSystem() = default;
    // Null when no output can be opened.
    virtual std::unique_ptr<SoundDevice> CreateSoundDevice() = 0;
    virtual uint32_t GetWaveOutVolume() = 0;
    virtual void SetWaveOutVolume(uint32_t volume) = 0;
};

// The audio system in use: the SDL one unless a test installed another.
AudioSystem& GetAudioSystem();
// Installs an audio system for the whole process; null goes back to the SDL one. The caller
// keeps ownership and keeps it alive while installed.
void SetAudioSystem(AudioSystem* system);

} // namespace Vuro::Platform
