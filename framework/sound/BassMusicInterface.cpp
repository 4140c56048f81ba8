#include "framework/sound/BassMusicInterface.h"

#include "framework/sound/BassInstance.h"
#include "framework/sound/MusicFade.h"
#include "framework/util/LockSection.h"
#include "platform/SoundDevice.h"

#include <algorithm>
#include <cctype>

namespace Vuro {

namespace {

constexpr int kKeepFrequency = -1;
constexpr int kKeepPan = -101;

int Percent(double value) {
    return static_cast<int>(value * 100.0);
}

std::string LowerExtension(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    std::string extension = fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

BassMusicInterface::BassMusicInterface(Platform::Window* window) : mBass(LoadBassDLL()) {
    // Opening the output must not change the system's wave-out volume.
    Platform::AudioSystem& audio = Platform::GetAudioSystem();
    const uint32_t waveOutVolume = audio.GetWaveOutVolume();
    if (mBass->mVersion2) {
        mBass->BASS_Init2(1, 44100, 0, window, nullptr);
        mBass->BASS_SetConfig(Platform::Bass::kConfigBuffer, 2000);
    } else {
        mBass->BASS_Init(-1, 44100, 0, window);
    }
    audio.SetWaveOutVolume(waveOutVolume);
    mBass->BASS_Start();
    mMaxMusicVolume = 40;
}

BassMusicInterface::~BassMusicInterface() {
    mBass->BASS_Stop();
    mBass->BASS_Free();
    ReleaseBassDLL();
    mMusicMap.clear();
}

const BassMusicInterface::MusicInfo* BassMusicInterface::Find(int songId) const {
    ScopedLock lock(mLock);
    auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

BassMusicInterface::MusicInfo* BassMusicInterface::Get(int songId) {
    auto found = mMusicMap.find(songId);
    return found == mMusicMap.end() ? nullptr : &found->second;
}

void BassMusicInterface::SendVolume(const MusicInfo& info) {
    mBass->BASS_ChannelSetAttributes(info.Channel(), kKeepFrequency, Percent(info.mVolume),
                                     kKeepPan);
}

void BassMusicInterface::FreeHandles(const MusicInfo& info) {
    if (info.mHStream != 0) {
        mBass->BASS_StreamFree(info.mHStream);
    } else if (info.mHMusic != 0) {
        mBass->BASS_MusicFree(info.mHMusic);
    }
}

bool BassMusicInterface::LoadMusic(int songId, const std::string& fileName) {
    MusicInfo info;
    const std::string extension = LowerExtension(fileName);
    if (extension == "wav" || extension == "ogg" || extension == "mp3") {
        info.mHStream = mBass->BASS_StreamCreateFile(0, fileName.c_str(), 0, 0, 0);
    } else if (mBass->mVersion2) {
        info.mHMusic = mBass->BASS_MusicLoad2(0, fileName.c_str(), 0, 0, 0x204, 0);
    } else {
        info.mHMusic = mBass->BASS_MusicLoad(0, fileName.c_str(), 0, 0, 4);
    }
    if (info.Channel() == 0) {
        return false;
    }
    ScopedLock lock(mLock);
    auto [entry, inserted] = mMusicMap.try_emplace(songId, info);
    if (!inserted) {
        // A second load under a taken id replaces the song; the old one is stopped and freed,
        // so neither handle leaks.
        OnBothChannels(entry->second, mBass->BASS_ChannelStop);
        FreeHandles(entry->second);
        entry->second = info;
    }
    return true;
}

void BassMusicInterface::StartStream(const MusicInfo& info, int offset, uint32_t flags) {
    mBass->BASS_StreamPlay(info.mHStream, offset != -1 ? 1 : 0, flags);
    if (offset > 0 && mBass->BASS_ChannelSetPosition != nullptr) {
        mBass->BASS_ChannelSetPosition(info.mHStream, static_cast<uint64_t>(offset));
    }
}

void BassMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = info->mVolumeCap;
    info->mVolumeAdd = 0.0;
    info->mStopOnFade = noLoop;
    SendVolume(*info);
    mBass->BASS_ChannelStop(info->Channel());
    uint32_t flags = noLoop ? 0 : Platform::Bass::kSampleLoop;
    if (info->mHMusic != 0) {
        if (mBass->mVersion2) {
            flags |= Platform::Bass::kMusicRamp;
        }
        mBass->BASS_MusicPlayEx(info->mHMusic, static_cast<uint32_t>(offset),
                                static_cast<int>(flags), 1);
    } else {
        StartStream(*info, offset, flags);
    }
}

void BassMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolumeAdd = speed;
    info->mStopOnFade = noLoop;
    mBass->BASS_ChannelStop(info->Channel());
    SendVolume(*info);
    uint32_t flags = noLoop ? 0 : Platform::Bass::kSampleLoop;
    if (info->mHMusic != 0) {
        if (offset == -1) {
            mBass->BASS_MusicPlay(info->mHMusic);
        } else {
            if (mBass->mVersion2) {
                flags |= Platform::Bass::kMusicRamp;
            }
            mBass->BASS_MusicPlayEx(info->mHMusic, static_cast<uint32_t>(offset),
                                    static_cast<int>(flags), 1);
        }
    } else {
        StartStream(*info, offset, flags);
    }
}

// A song's own operations reach the module handle when it has one, and the stream handle always.
void BassMusicInterface::OnBothChannels(const MusicInfo& info, Platform::Bass::ChannelFn op) {
    if (info.mHMusic != 0) {
        op(info.mHMusic);
    }
    op(info.mHStream);
}

void BassMusicInterface::StopMusic(int songId) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = 0.0;
    OnBothChannels(*info, mBass->BASS_ChannelStop);
}

void BassMusicInterface::PauseMusic(int songId) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    OnBothChannels(*info, mBass->BASS_ChannelPause);
}

void BassMusicInterface::ResumeMusic(int songId) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    OnBothChannels(*info, mBass->BASS_ChannelResume);
}

void BassMusicInterface::StopAllMusic() {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        info.mVolume = 0.0;
        mBass->BASS_ChannelStop(info.Channel());
    }
}

void BassMusicInterface::UnloadMusic(int songId) {
    ScopedLock lock(mLock);
    if (Get(songId) == nullptr) {
        return;
    }
    StopMusic(songId);
    FreeHandles(mMusicMap.at(songId));
    mMusicMap.erase(songId);
}

void BassMusicInterface::UnloadAllMusic() {
    ScopedLock lock(mLock);
    StopAllMusic();
    for (const auto& [id, info] : mMusicMap) {
        FreeHandles(info);
    }
    mMusicMap.clear();
}

void BassMusicInterface::PauseAllMusic() {
    ScopedLock lock(mLock);
    for (const auto& [id, info] : mMusicMap) {
        mBass->BASS_ChannelPause(info.Channel());
    }
}

void BassMusicInterface::ResumeAllMusic() {
    ScopedLock lock(mLock);
    for (const auto& [id, info] : mMusicMap) {
        mBass->BASS_ChannelResume(info.Channel());
    }
}

void BassMusicInterface::FadeOut(int songId, bool stopSong, double speed) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    if (info->mVolume != 0.0) {
        info->mVolumeAdd = -speed;
    }
    info->mStopOnFade = stopSong;
}

void BassMusicInterface::FadeOutAll(bool stopSong, double speed) {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        info.mVolumeAdd = -speed;
        info.mStopOnFade = stopSong;
    }
}

void BassMusicInterface::SetSongVolume(int songId, double volume) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolume = volume;
    SendVolume(*info);
}

void BassMusicInterface::SetSongMaxVolume(int songId, double volume) {
    ScopedLock lock(mLock);
    MusicInfo* info = Get(songId);
    if (info == nullptr) {
        return;
    }
    info->mVolumeCap = volume;
    info->mVolume = std::min(info->mVolume, volume);
    SendVolume(*info);
}

bool BassMusicInterface::IsPlaying(int songId) {
    ScopedLock lock(mLock);
    const MusicInfo* info = Find(songId);
    return info != nullptr &&
           mBass->BASS_ChannelIsActive(info->Channel()) == Platform::Bass::kActivePlaying;
}

void BassMusicInterface::SetVolume(double volume) {
    ScopedLock lock(mLock);
    if (mBass->mVersion2) {
        const auto n = static_cast<uint32_t>(Percent(volume));
        mBass->BASS_SetConfig(Platform::Bass::kConfigStreamVolume, n);
        mBass->BASS_SetConfig(Platform::Bass::kConfigMusicVolume, n);
    } else if (mBass->BASS_SetGlobalVolumes != nullptr) {
        const int n = static_cast<int>(mMaxMusicVolume * volume);
        mBass->BASS_SetGlobalVolumes(n, n, n);
    } else {
        // A library with only BASS_SetVolume gets the volume there; BASS_SetGlobalVolumes is
        // missing from it.
        mBass->BASS_SetVolume(static_cast<uint32_t>(Percent(volume)));
    }
}

void BassMusicInterface::SetMusicAmplify(int songId, double amplify) {
    ScopedLock lock(mLock);
    const MusicInfo* info = Find(songId);
    if (info != nullptr) {
        mBass->BASS_MusicSetAmplify(info->Channel(), static_cast<uint32_t>(Percent(amplify)));
    }
}

void BassMusicInterface::Update() {
    ScopedLock lock(mLock);
    for (auto& [id, info] : mMusicMap) {
        if (info.mVolumeAdd == 0.0) {
            continue;
        }
        if (StepFade(info) && info.mStopOnFade) {
            mBass->BASS_ChannelStop(info.Channel());
        }
        SendVolume(info);
    }
}

} // namespace Vuro
