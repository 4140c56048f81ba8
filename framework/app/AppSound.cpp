// Samples, volumes and mute. The stored volumes are the user's; while the mute count is above 0
// the sound manager and the music interface are sent 0 instead. Mutes nest: every Mute needs an
// Unmute, and the automatic ones (focus loss, demo fast-forward) are counted apart as well.

#include "framework/app/VuroAppBase.h"

#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/SoundManager.h"
#include "platform/SystemSound.h"

namespace Vuro {

void VuroAppBase::PlaySample(int id) {
    if (mSoundManager == nullptr) {
        return;
    }
    if (SoundInstance* instance = mSoundManager->MakeSoundInstance(static_cast<uint32_t>(id))) {
        instance->Play(false, true);
    }
}

void VuroAppBase::PlaySampleAt(int id, int pan) {
    if (mSoundManager == nullptr) {
        return;
    }
    if (SoundInstance* instance = mSoundManager->MakeSoundInstance(static_cast<uint32_t>(id))) {
        instance->SetPan(pan);
        instance->Play(false, true);
    }
}

void VuroAppBase::PlayMenuCommandSound() {
    if (!mSystemSounds) {
        mSystemSounds = std::make_unique<Platform::SystemSoundPlayer>();
    }
    (void)mSystemSounds->Play("c:\\windows\\media\\Windows XP Menu Command.wav");
}

double VuroAppBase::GetMasterVolume() {
    return mSoundManager != nullptr ? mSoundManager->GetMasterVolume() : 0.0;
}

double VuroAppBase::GetMusicVolume() {
    return mMusicVolume;
}

double VuroAppBase::GetSfxVolume() {
    return mSfxVolume;
}

bool VuroAppBase::IsMuted() {
    return mMuteCount > 0;
}

void VuroAppBase::SetMasterVolume(double volume) {
    // There is no field of its own: the master volume is kept as the effects volume.
    mSfxVolume = volume;
    if (mSoundManager != nullptr) {
        mSoundManager->SetMasterVolume(volume);
    }
}

void VuroAppBase::SetMusicVolume(double volume) {
    mMusicVolume = volume;
    if (mMusicInterface != nullptr) {
        mMusicInterface->SetVolume(mMuteCount > 0 ? 0.0 : volume);
    }
}

void VuroAppBase::SetSfxVolume(double volume) {
    mSfxVolume = volume;
    if (mSoundManager != nullptr) {
        mSoundManager->SetVolume(mMuteCount > 0 ? 0.0 : volume);
    }
}

void VuroAppBase::Mute(bool autoMute) {
    ++mMuteCount;
    if (autoMute) {
        ++mAutoMuteCount;
    }
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

void VuroAppBase::Unmute(bool autoMute) {
    if (mMuteCount > 0) {
        --mMuteCount;
        if (autoMute) {
            --mAutoMuteCount;
        }
    }
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

} // namespace Vuro
