#pragma once
// The entry points of bass.dll, looked up once by name and shared by every user in the process
// through one global record with a reference count. The library is required: when it is
// missing or lacks a required entry point the program shows a box captioned "Error" and ends
// with exit code 1. Both forms of the library are served; the newer form (it has
// BASS_SetConfig) fills the newer-form BASS_Init and BASS_MusicLoad and leaves the older ones
// null, the older form the other way round.

#include "platform/BassLibrary.h"

#include <string>

namespace Vuro {

class BASS_INSTANCE {
public:
    explicit BASS_INSTANCE(const std::string& libraryName);
    virtual ~BASS_INSTANCE();
    BASS_INSTANCE(const BASS_INSTANCE&) = delete;
    BASS_INSTANCE& operator=(const BASS_INSTANCE&) = delete;

    const Platform::LibraryModule* mModule = nullptr;
    bool mVersion2 = false; // the newer form
    Platform::Bass::InitOldFn BASS_Init = nullptr;
    Platform::Bass::InitFn BASS_Init2 = nullptr;
    Platform::Bass::VoidFn BASS_Free = nullptr;
    Platform::Bass::VoidFn BASS_Stop = nullptr;
    Platform::Bass::VoidFn BASS_Start = nullptr;
    Platform::Bass::SetGlobalVolumesFn BASS_SetGlobalVolumes = nullptr;
    Platform::Bass::SetVolumeFn BASS_SetVolume = nullptr;
    Platform::Bass::MusicSetAmplifyFn BASS_MusicSetAmplify = nullptr;
    Platform::Bass::SetConfigFn BASS_SetConfig = nullptr;
    Platform::Bass::ChannelFn BASS_ChannelStop = nullptr;
    Platform::Bass::ChannelFn BASS_ChannelPause = nullptr;
    Platform::Bass::ChannelFn BASS_ChannelResume = nullptr;
    Platform::Bass::ChannelSetAttributesFn BASS_ChannelSetAttributes = nullptr;
    Platform::Bass::ChannelSetPositionFn BASS_ChannelSetPosition = nullptr; // may be missing
    Platform::Bass::ChannelIsActiveFn BASS_ChannelIsActive = nullptr;
    Platform::Bass::MusicLoadOldFn BASS_MusicLoad = nullptr;
    Platform::Bass::MusicLoadFn BASS_MusicLoad2 = nullptr;
    Platform::Bass::ChannelFn BASS_MusicPlay = nullptr;
    Platform::Bass::MusicPlayExFn BASS_MusicPlayEx = nullptr;
    Platform::Bass::ChannelFn BASS_MusicFree = nullptr;
    Platform::Bass::StreamCreateFileFn BASS_StreamCreateFile = nullptr;
    Platform::Bass::ChannelFn BASS_StreamFree = nullptr;
    Platform::Bass::StreamPlayFn BASS_StreamPlay = nullptr;
};

extern BASS_INSTANCE* gBass;

// Takes a share of the record, loading "bass.dll" on first use.
BASS_INSTANCE* LoadBassDLL();
// Gives a share back; the last one frees the record.
void ReleaseBassDLL();
// Ends the program with the box "<name> function not found in bass.dll" when `entry` is null.
void CheckBassFunction(Platform::ProcAddress entry, const char* name);

} // namespace Vuro
