#pragma once
// The built-in "bass.dll": music streams played on the software mixer of the sound device.
// Reached through the library table (platform/Library.h) by entry-point name; the types below
// are the signatures of those entry points. This is the newer form of the library: it has
// BASS_SetConfig, and its BASS_Init and BASS_MusicLoad take the extra last argument. The older
// form's signatures are here for callers that serve both.
//
// - Handles are non-zero 32-bit numbers; 0 means failure. Results are 1 for success, 0 for
//   failure, unless said otherwise.
// - BASS_Init opens an output device of the audio system in use; nothing plays without it.
// - Streams: BASS_StreamCreateFile decodes an Ogg Vorbis, MP3 or PCM WAVE file, named by its
//   path and told by its content, whole into memory. Files from memory are not offered.
// - Tracker modules (every format libopenmpt reads): BASS_MusicLoad renders the song once
//   through its order list. BASS_MusicPlayEx starts at the order in the position's low word
//   (rows are not offered); BASS_MusicPlay goes on from where the song stands; the load's and
//   the play's loop flag (kSampleLoop) choose whether the song starts again at its end.
// - Channel volumes are 0..100 percent, scaled by the global stream volume (configuration 6)
//   or, for modules, by the global music volume (configuration 5) and the module's
//   amplification (BASS_MusicSetAmplify, 0..100, 100 as rendered), then by the output volume
//   (BASS_SetVolume), all percentages; pan is -100..100.
// - BASS_ChannelSetPosition puts a stream at a byte of its decoded data (its own channels,
//   sample rate and width), a whole frame at or before it; a position past the end fails.
//   Modules are positioned by BASS_MusicPlayEx only.
// - BASS_Free drops every channel and puts every volume back to 100.
// - BASS_ChannelIsActive answers 0 stopped, 1 playing, 3 paused.

#include "platform/Library.h"

#include <cstdint>

namespace Vuro::Platform {

class Window;

namespace Bass {

inline constexpr uint32_t kSampleLoop = 4;
inline constexpr uint32_t kMusicRamp = 0x200;
inline constexpr uint32_t kActiveStopped = 0;
inline constexpr uint32_t kActivePlaying = 1;
inline constexpr uint32_t kActivePaused = 3;
inline constexpr uint32_t kConfigBuffer = 0;
inline constexpr uint32_t kConfigMusicVolume = 5;
inline constexpr uint32_t kConfigStreamVolume = 6;

using InitOldFn = int (*)(int device, uint32_t frequency, uint32_t flags, Window* window);
using InitFn = int (*)(int device, uint32_t frequency, uint32_t flags, Window* window,
                       const void* clsid);
using VoidFn = int (*)();
using SetGlobalVolumesFn = int (*)(int music, int sample, int stream);
using SetVolumeFn = int (*)(uint32_t volume);
using MusicSetAmplifyFn = int (*)(uint32_t handle, uint32_t amplify);
using SetConfigFn = uint32_t (*)(uint32_t option, uint32_t value);
using ChannelFn = int (*)(uint32_t handle);
using ChannelSetAttributesFn = int (*)(uint32_t handle, int frequency, int volume, int pan);
using ChannelSetPositionFn = int (*)(uint32_t handle, uint64_t position);
using ChannelIsActiveFn = uint32_t (*)(uint32_t handle);
using MusicLoadOldFn = uint32_t (*)(int memory, const char* file, uint32_t offset, uint32_t length,
                                    uint32_t flags);
using MusicLoadFn = uint32_t (*)(int memory, const char* file, uint32_t offset, uint32_t length,
                                 uint32_t flags, uint32_t frequency);
using MusicPlayExFn = int (*)(uint32_t handle, uint32_t position, int flags, int reset);
using StreamCreateFileFn = uint32_t (*)(int memory, const char* file, uint32_t offset,
                                        uint32_t length, uint32_t flags);
using StreamPlayFn = int (*)(uint32_t handle, int flush, uint32_t flags);

} // namespace Bass

// The module's table of entry points.
const LibraryModule& BassModule();

} // namespace Vuro::Platform
