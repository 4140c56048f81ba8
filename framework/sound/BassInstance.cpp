#include "framework/sound/BassInstance.h"

#include "framework/sound/LibraryRecord.h"

#include <atomic>

namespace Vuro {

BASS_INSTANCE* gBass = nullptr;

namespace {

std::atomic<int> gBassRefCount{0};

template <typename Fn> Fn Required(const Platform::LibraryModule* module, const char* name) {
    Platform::ProcAddress entry = Platform::GetProcAddress(module, name);
    CheckBassFunction(entry, name);
    return reinterpret_cast<Fn>(entry);
}

} // namespace

void CheckBassFunction(Platform::ProcAddress entry, const char* name) {
    if (entry == nullptr) {
        EndWithLibraryBox(std::string(name) + " function not found in bass.dll");
    }
}

BASS_INSTANCE::BASS_INSTANCE(const std::string& libraryName) {
    using namespace Platform::Bass;
    const Platform::LibraryModule* module = Platform::LoadLibrary(libraryName);
    if (module == nullptr) {
        return;
    }
    mModule = module;
    // Both forms share these two names; their signature is settled once BASS_SetConfig is known.
    const Platform::ProcAddress init = Required<Platform::ProcAddress>(module, "BASS_Init");
    BASS_Free = Required<VoidFn>(module, "BASS_Free");
    BASS_Stop = Required<VoidFn>(module, "BASS_Stop");
    BASS_Start = Required<VoidFn>(module, "BASS_Start");
    BASS_SetGlobalVolumes = LookupEntry<SetGlobalVolumesFn>(module, "BASS_SetGlobalVolumes");
    BASS_SetVolume = LookupEntry<SetVolumeFn>(module, "BASS_SetVolume");
    if (BASS_SetGlobalVolumes == nullptr && BASS_SetVolume == nullptr) {
        EndWithLibraryBox("Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll");
    }
    BASS_SetConfig = LookupEntry<SetConfigFn>(module, "BASS_SetConfig");
    BASS_MusicSetAmplify = Required<MusicSetAmplifyFn>(module, "BASS_MusicSetAmplify");
    BASS_ChannelStop = Required<ChannelFn>(module, "BASS_ChannelStop");
    BASS_ChannelPause = Required<ChannelFn>(module, "BASS_ChannelPause");
    BASS_ChannelResume = Required<ChannelFn>(module, "BASS_ChannelResume");
    BASS_ChannelSetAttributes =
        Required<ChannelSetAttributesFn>(module, "BASS_ChannelSetAttributes");
    // Only streams started past their beginning need it; a library without it still plays.
    BASS_ChannelSetPosition = LookupEntry<ChannelSetPositionFn>(module, "BASS_ChannelSetPosition");
    BASS_ChannelIsActive = Required<ChannelIsActiveFn>(module, "BASS_ChannelIsActive");
    const Platform::ProcAddress musicLoad =
        Required<Platform::ProcAddress>(module, "BASS_MusicLoad");
    BASS_MusicPlay = Required<ChannelFn>(module, "BASS_MusicPlay");
    BASS_MusicPlayEx = Required<MusicPlayExFn>(module, "BASS_MusicPlayEx");
    BASS_MusicFree = Required<ChannelFn>(module, "BASS_MusicFree");
    BASS_StreamCreateFile = Required<StreamCreateFileFn>(module, "BASS_StreamCreateFile");
    BASS_StreamFree = Required<ChannelFn>(module, "BASS_StreamFree");
    BASS_StreamPlay = Required<StreamPlayFn>(module, "BASS_StreamPlay");

    mVersion2 = BASS_SetConfig != nullptr;
    if (mVersion2) {
        BASS_Init2 = reinterpret_cast<InitFn>(init);
        BASS_MusicLoad2 = reinterpret_cast<MusicLoadFn>(musicLoad);
    } else {
        BASS_Init = reinterpret_cast<InitOldFn>(init);
        BASS_MusicLoad = reinterpret_cast<MusicLoadOldFn>(musicLoad);
    }
}

BASS_INSTANCE::~BASS_INSTANCE() {
    if (mModule != nullptr) {
        Platform::FreeLibrary(mModule);
    }
}

BASS_INSTANCE* LoadBassDLL() {
    return TakeLibraryShare(gBass, gBassRefCount, "bass.dll", "Can't find bass.dll.");
}

void ReleaseBassDLL() {
    GiveLibraryShareBack(gBass, gBassRefCount);
}

} // namespace Vuro
