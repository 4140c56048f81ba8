#include "framework/sound/FModMusicInterface.h"

#include "framework/sound/FModInstance.h"
#include "framework/sound/MusicFade.h"

namespace Vuro {

namespace {

constexpr int kLoopOff = static_cast<int>(Platform::Fmod::kLoopOff);
constexpr int kLoopNormal = static_cast<int>(Platform::Fmod::kLoopNormal);

} // namespace

FModMusicInterface::FModMusicInterface(Platform::Window*) : mFMod(LoadFModDLL()) {}

FModMusicInterface::~FModMusicInterface() {
    ReleaseFModDLL();
    mMusicMap.clear();
}

const FModMusicInterface::MusicInfo* FModMusicInterface::Find(int songId) const {
    ScopedLock lock(mLock);
    auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

FModMusicInterface::MusicInfo* FModMusicInterface::Get(int songId) {
    auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

int FModMusicInterface::ModuleVolume(const MusicInfo& info) const {
    return static_cast<int>(mModuleVolumeScale * mMusicVolume * info.mVolume);
}

int FModMusicInterface::SampleVolume(const MusicInfo& info) const {
    return static_cast<int>(mSampleVolumeScale * mMusicVolume * info.mVolume);
}

void FModMusicInterface::SendVolume(int songId, const MusicInfo& info) {
    if (info.mHMusic != nullptr) {
        mFMod->FMUSIC_SetMasterVolume(info.mHMusic, ModuleVolume(info));
    } else {
        mFMod->FSOUND_SetVolume(songId, SampleVolume(info));
    }
}

void FModMusicInterface::StopSong(int songId, const MusicInfo& info) {
    if (info.mHMusic != nullptr) {
        mFMod->FMUSIC_StopSong(info.mHMusic);
    } else {
        mFMod->FSOUND_StopSound(songId);
    }
}

bool FModMusicInterface::AddSong(int songId, const MusicInfo& info) {
    ScopedLock lock(mLock);
    auto [entry, inserted] = mMusicMap.try_emplace(songId, info);
    if (!inserted) {
        StopSong(songId, entry->second);
        if (entry->second.mHSample != nullptr) {
            mFMod->FSOUND_Sample_Free(entry->second.mHSample);
        }
        entry->second = info;
    }
    return true;
}

bool FModMusicInterface::LoadMusic(int songId, const std::string& fileName) {
    MusicInfo info;
    info.mHMusic = mFMod->FMUSIC_LoadSong(fileName.c_str());
    return info.mHMusic != nullptr && AddSong(songId, info);
}

void FModMusicInterface::StartSample(int songId, const MusicInfo& info) {
    mFMod->FSOUND_PlaySound(songId, info.mHSample);
    mFMod->FSOUND_SetLoopMode(songId, static_cast<uint32_t>(info.mRepeat ? kLoopNormal : kLoopOff));
}

void FModMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = info->mVolumeCap;
    info->mVolumeAdd = 0.0;
    if (info->mHMusic != nullptr) {
        mFMod->FMUSIC_SetMasterVolume(info->mHMusic, ModuleVolume(*info));
        mFMod->FMUSIC_SetLooping(info->mHMusic, noLoop ? kLoopOff : kLoopNormal);
        mFMod->FMUSIC_PlaySong(info->mHMusic);
        mFMod->FMUSIC_SetOrder(info->mHMusic, offset);
    } else {
        StartSample(songId, *info);
        mFMod->FSOUND_SetVolume(songId, SampleVolume(*info));
    }
}

void FModMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolumeAdd = speed;
    if (info->mHMusic != nullptr) {
        mFMod->FMUSIC_SetMasterVolume(info->mHMusic, ModuleVolume(*info));
        mFMod->FMUSIC_SetLooping(info->mHMusic, noLoop ? kLoopOff : kLoopNormal);
        if (mFMod->FMUSIC_IsPlaying(info->mHMusic) == 0) {
            mFMod->FMUSIC_PlaySong(info->mHMusic);
        }
        if (offset != -1) {
            mFMod->FMUSIC_SetOrder(info->mHMusic, offset);
        }
    } else {
        if (mFMod->FSOUND_IsPlaying(songId) == 0) {
            StartSample(songId, *info);
        }
        mFMod->FSOUND_SetVolume(songId, SampleVolume(*info));
    }
}

void FModMusicInterface::StopMusic(int songId) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = 0.0;
    if (info->mHMusic != nullptr) {
        mFMod->FMUSIC_StopSong(info->mHMusic);
    }
    mFMod->FSOUND_StopSound(songId);
}

void FModMusicInterface::SetPaused(int songId, int paused) {
    ScopedLock lock(mLock);
    const MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    if (info->mHMusic != nullptr) {
        mFMod->FMUSIC_SetPaused(info->mHMusic, paused);
    } else {
        mFMod->FSOUND_SetPaused(songId, paused);
    }
}

void FModMusicInterface::PauseMusic(int songId) {
    SetPaused(songId, 1);
}

void FModMusicInterface::ResumeMusic(int songId) {
    SetPaused(songId, 0);
}

void FModMusicInterface::StopAllMusic() {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        info.mVolume = 0.0;
        StopSong(id, info);
    }
}

void FModMusicInterface::FadeOut(int songId, bool stopSong, double speed) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolumeAdd = -speed;
    info->mStopOnFade = stopSong;
}

void FModMusicInterface::FadeOutAll(bool stopSong, double speed) {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        info.mVolumeAdd = -speed;
        info.mStopOnFade = stopSong;
    }
}

void FModMusicInterface::SetSongVolume(int songId, double volume) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = volume;
    if (info->mHMusic != nullptr) {
        mFMod->FMUSIC_SetMasterVolume(info->mHMusic, ModuleVolume(*info));
    }
    mFMod->FSOUND_SetVolume(songId, SampleVolume(*info));
}

bool FModMusicInterface::IsPlaying(int songId) {
    ScopedLock lock(mLock);
    const MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return false;
    }
    return info->mHMusic != nullptr ? mFMod->FMUSIC_IsPlaying(info->mHMusic) != 0
                                    : mFMod->FSOUND_IsPlaying(songId) != 0;
}

void FModMusicInterface::SetVolume(double volume) {
    ScopedLock lock(mLock);
    mMusicVolume = volume;
    for (const auto& [id, info] : mMusicMap) {
        SendVolume(id, info);
    }
}

void FModMusicInterface::Update() {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        if (info.mVolumeAdd == 0.0) {
            continue;
        }
        if (StepFade(info) && info.mStopOnFade) {
            StopSong(id, info);
        }
        SendVolume(id, info);
    }
}

} // namespace Vuro
