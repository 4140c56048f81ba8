#pragma once
// The entry points of fmod.dll, looked up once by their decorated names and shared by the
// sound manager (which initialises and closes the library and decodes MP3 effects with it) and
// the fmod music back end, through one global record with a reference count. Every entry point
// is required: when the library is missing or lacks one the program shows a box captioned
// "Error" and ends with exit code 1.

#include "platform/FmodLibrary.h"

#include <cstdint>
#include <string>

namespace Vuro {

class FMOD_INSTANCE {
public:
    explicit FMOD_INSTANCE(const std::string& libraryName);
    virtual ~FMOD_INSTANCE();
    FMOD_INSTANCE(const FMOD_INSTANCE&) = delete;
    FMOD_INSTANCE& operator=(const FMOD_INSTANCE&) = delete;

    const Platform::LibraryModule* mModule = nullptr;
    Platform::Fmod::SetBufferSizeFn FSOUND_SetBufferSize = nullptr;
    Platform::Fmod::SetHWNDFn FSOUND_SetHWND = nullptr;
    Platform::Fmod::InitFn FSOUND_Init = nullptr;
    Platform::Fmod::CloseFn FSOUND_Close = nullptr;
    Platform::Fmod::SampleLoadFn FSOUND_Sample_Load = nullptr;
    Platform::Fmod::SampleAllocFn FSOUND_Sample_Alloc = nullptr;
    Platform::Fmod::SampleFreeFn FSOUND_Sample_Free = nullptr;
    Platform::Fmod::SampleLockFn FSOUND_Sample_Lock = nullptr;
    Platform::Fmod::SampleUnlockFn FSOUND_Sample_Unlock = nullptr;
    Platform::Fmod::SampleSetLoopPointsFn FSOUND_Sample_SetLoopPoints = nullptr;
    Platform::Fmod::SampleGetLengthFn FSOUND_Sample_GetLength = nullptr;
    Platform::Fmod::SampleGetDefaultsFn FSOUND_Sample_GetDefaults = nullptr;
    Platform::Fmod::SampleGetModeFn FSOUND_Sample_GetMode = nullptr;
    Platform::Fmod::PlaySoundFn FSOUND_PlaySound = nullptr;
    Platform::Fmod::ChannelFn FSOUND_StopSound = nullptr;
    Platform::Fmod::ChannelValueFn FSOUND_SetVolume = nullptr;
    Platform::Fmod::ChannelValueFn FSOUND_SetPaused = nullptr;
    Platform::Fmod::SetLoopModeFn FSOUND_SetLoopMode = nullptr;
    Platform::Fmod::ChannelFn FSOUND_IsPlaying = nullptr;
    Platform::Fmod::StreamOpenFileFn FSOUND_Stream_OpenFile = nullptr; // looked up, not used
    Platform::Fmod::StreamCloseFn FSOUND_Stream_Close = nullptr;       // looked up, not used
    Platform::Fmod::StreamPlayFn FSOUND_Stream_Play = nullptr;         // looked up, not used
    Platform::Fmod::LoadSongFn FMUSIC_LoadSong = nullptr;
    Platform::Fmod::SongFn FMUSIC_PlaySong = nullptr;
    Platform::Fmod::SongFn FMUSIC_StopSong = nullptr;
    Platform::Fmod::SongValueFn FMUSIC_SetLooping = nullptr;
    Platform::Fmod::SongValueFn FMUSIC_SetOrder = nullptr;
    Platform::Fmod::SongValueFn FMUSIC_SetPaused = nullptr;
    Platform::Fmod::SongValueFn FMUSIC_SetMasterVolume = nullptr;
    Platform::Fmod::SongFn FMUSIC_IsPlaying = nullptr;
};

extern FMOD_INSTANCE* gFMod;

// A sample's PCM as the library describes it: channels from the mode's mono bit, bits from its
// 8-bit bit, the default frequency, and the data size (length x block alignment).
struct FModSampleFormat {
    uint32_t channels = 0;
    uint32_t bits = 0;
    uint32_t frequency = 0;
    uint32_t dataSize = 0;

    uint32_t BlockAlign() const { return channels * bits / 8; }
};
FModSampleFormat GetFModSampleFormat(FMOD_INSTANCE& fmod, Platform::Fmod::Sample* sample);

// Takes a share of the record, loading "fmod.dll" on first use.
FMOD_INSTANCE* LoadFModDLL();
// Gives a share back; the last one frees the record.
void ReleaseFModDLL();
// Ends the program with the box `<quotedName> function not found in fmod.dll` when `entry` is
// null; the name comes with its double quotes.
void CheckFModFunction(Platform::ProcAddress entry, const char* quotedName);

} // namespace Vuro
