#pragma once
// The built-in "fmod.dll": samples, channels and songs played on the software mixer of the
// sound device. Reached through the library table (platform/Library.h) by the entry points'
// decorated names ("_FSOUND_Init@12", ...); the types below are their signatures.
//
// - FSOUND_Init opens an output device of the audio system in use and FSOUND_Close closes it,
//   freeing every sample, stream and song; nothing loads or plays in between.
// - Samples: FSOUND_Sample_Load decodes a WAVE, Ogg Vorbis, MP3 or AU file (told by its
//   content) whole into memory; FSOUND_Sample_Alloc makes a silent one. The mode bits tell
//   the format (kMono or stereo, k8Bits or 16 bits) and the default loop (kLoopNormal repeats,
//   else the sample plays once). Loop points are frames, the end inclusive. Lock answers the
//   whole range asked for in the first part; the second part is always empty.
// - Channels 0..maxChannels-1 (kFree picks a free one): FSOUND_PlaySound plays a sample on a
//   channel with the sample's defaults and answers the channel, -1 on failure. Volumes are
//   0..100 (more counts as 100), pans 0 (left)..255 (right), 128 the middle.
// - Songs: FMUSIC_LoadSong loads a tracker module (rendered once through its order list), and
//   also a WAVE, Ogg Vorbis or MP3 file as a song of one order. FMUSIC_SetLooping takes a loop
//   mode (kLoopOff plays the song once, kLoopNormal repeats it; the default), FMUSIC_SetOrder
//   an order of the list, FMUSIC_SetMasterVolume 0..100. Songs live until FSOUND_Close.
// - A paused channel or song does not count as playing.
// - Streams are samples opened by FSOUND_Stream_OpenFile and played by FSOUND_Stream_Play.
// - Handles that the library did not give, or gave and freed, are refused (0 or null).

#include "platform/Library.h"

#include <cstdint>

namespace Vuro::Platform {

class Window;

namespace Fmod {

struct Sample; // a sample or stream handle
struct Module; // a song handle

inline constexpr int kFree = -1;
inline constexpr uint32_t kLoopOff = 0x1;
inline constexpr uint32_t kLoopNormal = 0x2;
inline constexpr uint32_t k8Bits = 0x8;
inline constexpr uint32_t k16Bits = 0x10;
inline constexpr uint32_t kMono = 0x20;
inline constexpr uint32_t kStereo = 0x40;

using SetBufferSizeFn = int (*)(int milliseconds);
using SetHWNDFn = int (*)(Window* window);
using InitFn = int (*)(int mixRate, int maxChannels, uint32_t flags);
using CloseFn = void (*)();
using SampleLoadFn = Sample* (*)(int index, const char* name, uint32_t mode, int offset);
using SampleAllocFn = Sample* (*)(int index, int length, uint32_t mode, int frequency, int volume,
                                  int pan, int priority);
using SampleFreeFn = void (*)(Sample* sample);
using SampleLockFn = int (*)(Sample* sample, int offset, int length, void** part1, void** part2,
                             uint32_t* length1, uint32_t* length2);
using SampleUnlockFn = int (*)(Sample* sample, void* part1, void* part2, uint32_t length1,
                               uint32_t length2);
using SampleSetLoopPointsFn = int (*)(Sample* sample, int start, int end);
using SampleGetLengthFn = uint32_t (*)(Sample* sample);
using SampleGetDefaultsFn = int (*)(Sample* sample, int* frequency, int* volume, int* pan,
                                    int* priority);
using SampleGetModeFn = uint32_t (*)(Sample* sample);
using PlaySoundFn = int (*)(int channel, Sample* sample);
using ChannelFn = int (*)(int channel);
using ChannelValueFn = int (*)(int channel, int value);
using SetLoopModeFn = int (*)(int channel, uint32_t mode);
using StreamOpenFileFn = Sample* (*)(const char* name, uint32_t mode, int length);
using StreamCloseFn = int (*)(Sample* stream);
using StreamPlayFn = int (*)(int channel, Sample* stream);
using LoadSongFn = Module* (*)(const char* name);
using SongFn = int (*)(Module* module);
using SongValueFn = int (*)(Module* module, int value);

} // namespace Fmod

// The module's table of entry points.
const LibraryModule& FmodModule();

} // namespace Vuro::Platform
