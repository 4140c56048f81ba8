#include "framework/sound/FModInstance.h"

#include "framework/sound/LibraryRecord.h"

namespace Vuro {

FMOD_INSTANCE* gFMod = nullptr;

namespace {

std::atomic<int> gFModRefCount{0};

template <typename Fn>
void Required(const Platform::LibraryModule* module, const char* name, Fn& field) {
    Platform::ProcAddress entry = Platform::GetProcAddress(module, name);
    CheckFModFunction(entry, ("\"" + std::string(name) + "\"").c_str());
    field = reinterpret_cast<Fn>(entry);
}

} // namespace

void CheckFModFunction(Platform::ProcAddress entry, const char* quotedName) {
    if (entry == nullptr) {
        EndWithLibraryBox(std::string(quotedName) + " function not found in fmod.dll");
    }
}

FMOD_INSTANCE::FMOD_INSTANCE(const std::string& libraryName) {
    const Platform::LibraryModule* module = Platform::LoadLibrary(libraryName);
    if (module == nullptr) {
        return;
    }
    mModule = module;
    Required(module, "_FSOUND_SetBufferSize@4", FSOUND_SetBufferSize);
    Required(module, "_FSOUND_SetHWND@4", FSOUND_SetHWND);
    Required(module, "_FSOUND_Init@12", FSOUND_Init);
    Required(module, "_FSOUND_Close@0", FSOUND_Close);
    Required(module, "_FSOUND_Sample_Load@16", FSOUND_Sample_Load);
    Required(module, "_FSOUND_Sample_Alloc@28", FSOUND_Sample_Alloc);
    Required(module, "_FSOUND_Sample_Free@4", FSOUND_Sample_Free);
    Required(module, "_FSOUND_Sample_Lock@28", FSOUND_Sample_Lock);
    Required(module, "_FSOUND_Sample_Unlock@20", FSOUND_Sample_Unlock);
    Required(module, "_FSOUND_Sample_SetLoopPoints@12", FSOUND_Sample_SetLoopPoints);
    Required(module, "_FSOUND_Sample_GetLength@4", FSOUND_Sample_GetLength);
    Required(module, "_FSOUND_Sample_GetDefaults@20", FSOUND_Sample_GetDefaults);
    Required(module, "_FSOUND_Sample_GetMode@4", FSOUND_Sample_GetMode);
    Required(module, "_FSOUND_PlaySound@8", FSOUND_PlaySound);
    Required(module, "_FSOUND_StopSound@4", FSOUND_StopSound);
    Required(module, "_FSOUND_SetVolume@8", FSOUND_SetVolume);
    Required(module, "_FSOUND_SetPaused@8", FSOUND_SetPaused);
    Required(module, "_FSOUND_SetLoopMode@8", FSOUND_SetLoopMode);
    Required(module, "_FSOUND_IsPlaying@4", FSOUND_IsPlaying);
    Required(module, "_FSOUND_Stream_OpenFile@12", FSOUND_Stream_OpenFile);
    Required(module, "_FSOUND_Stream_Close@4", FSOUND_Stream_Close);
    Required(module, "_FSOUND_Stream_Play@8", FSOUND_Stream_Play);
    Required(module, "_FMUSIC_LoadSong@4", FMUSIC_LoadSong);
    Required(module, "_FMUSIC_PlaySong@4", FMUSIC_PlaySong);
    Required(module, "_FMUSIC_StopSong@4", FMUSIC_StopSong);
    Required(module, "_FMUSIC_SetLooping@8", FMUSIC_SetLooping);
    Required(module, "_FMUSIC_SetOrder@8", FMUSIC_SetOrder);
    Required(module, "_FMUSIC_SetPaused@8", FMUSIC_SetPaused);
    Required(module, "_FMUSIC_SetMasterVolume@8", FMUSIC_SetMasterVolume);
    Required(module, "_FMUSIC_IsPlaying@4", FMUSIC_IsPlaying);
}

FMOD_INSTANCE::~FMOD_INSTANCE() {
    if (mModule != nullptr) {
        Platform::FreeLibrary(mModule);
    }
}

FModSampleFormat GetFModSampleFormat(FMOD_INSTANCE& fmod, Platform::Fmod::Sample* sample) {
    const uint32_t mode = fmod.FSOUND_Sample_GetMode(sample);
    int frequency = 0;
    fmod.FSOUND_Sample_GetDefaults(sample, &frequency, nullptr, nullptr, nullptr);
    FModSampleFormat format;
    format.channels = (mode & Platform::Fmod::kMono) != 0 ? 1 : 2;
    format.bits = (mode & Platform::Fmod::k8Bits) != 0 ? 8 : 16;
    format.frequency = static_cast<uint32_t>(frequency);
    format.dataSize = fmod.FSOUND_Sample_GetLength(sample) * format.BlockAlign();
    return format;
}

FMOD_INSTANCE* LoadFModDLL() {
    return TakeLibraryShare(gFMod, gFModRefCount, "fmod.dll", "Can't find fmod.dll.");
}

void ReleaseFModDLL() {
    GiveLibraryShareBack(gFMod, gFModRefCount);
}

} // namespace Vuro
