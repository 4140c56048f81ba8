#include "framework/sound/DSoundManager.h"

#include "framework/sound/DSoundInstance.h"
#include "framework/sound/FModInstance.h"
#include "platform/Clock.h"

#include <algorithm>

namespace Vuro {

DSoundManager::DSoundManager(Platform::Window* window, bool useFmod) : mUseFmod(useFmod) {
    mBaseVolumes.fill(1.0);
    if (window == nullptr) {
        return;
    }
    mDevice = Platform::GetAudioSystem().CreateSoundDevice();
    if (mDevice == nullptr) {
        return;
    }
    if (mUseFmod) {
        mFMod = LoadFModDLL();
        mFMod->FSOUND_SetHWND(window);
        mFMod->FSOUND_SetBufferSize(200);
        mFMod->FSOUND_Init(44100, 64, 2);
    }
    if (mDevice->SetCooperativeLevel(window, Platform::kCoopPriority) !=
        Platform::SoundResult::Ok) {
        (void)mDevice->SetCooperativeLevel(window, Platform::kCoopNormal);
        return;
    }
    Platform::BufferDesc desc;
    desc.flags = Platform::kBufferPrimary;
    if (mDevice->CreateSoundBuffer(desc, mPrimaryBuffer) == Platform::SoundResult::Ok) {
        Platform::WaveFormat format{1, 2, 44100, 176400, 4, 16};
        (void)mPrimaryBuffer->SetFormat(format);
    }
}

DSoundManager::~DSoundManager() {
    // Duplicates first, then the sounds they came from, then the device.
    ReleaseInstances();
    ReleaseSounds();
    mPrimaryBuffer.reset();
    if (mDevice != nullptr) {
        if (mFMod != nullptr) {
            mFMod->FSOUND_Close();
        }
        mDevice.reset();
        if (mFMod != nullptr) {
            ReleaseFModDLL();
        }
    }
}

bool DSoundManager::Initialized() {
    return mDevice != nullptr;
}

int DSoundManager::LoadSound(const std::string& fileName) {
    for (int id = kMaxSounds - 1; id >= 0; --id) {
        if (mSourceSounds[id] == nullptr) {
            return LoadSoundAt(static_cast<uint32_t>(id), fileName) ? id : -1;
        }
    }
    return -1;
}

void DSoundManager::ReleaseSound(uint32_t id) {
    if (id < kMaxSounds) {
        mSourceSounds[id].reset();
    }
}

void DSoundManager::ReleaseSounds() {
    for (uint32_t id = 0; id < kMaxSounds; ++id) {
        ReleaseSound(id);
    }
}

void DSoundManager::SetVolume(double volume) {
    mVolume = volume;
    for (DSoundInstance* instance : mPlayingSounds) {
        if (instance != nullptr) {
            instance->ApplyVolume();
        }
    }
}

bool DSoundManager::SetBaseVolume(uint32_t id, double baseVolume) {
    if (id >= kMaxSounds) {
        return false;
    }
    mBaseVolumes[id] = baseVolume;
    return true;
}

bool DSoundManager::SetBasePan(uint32_t id, int basePan) {
    if (id >= kMaxSounds) {
        return false;
    }
    mBasePans[id] = basePan;
    return true;
}

SoundInstance* DSoundManager::MakeSoundInstance(uint32_t id) {
    if (id >= kMaxSounds) {
        return nullptr;
    }
    int slot = FindFreeInstanceSlot();
    if (slot < 0) {
        return nullptr;
    }
    DSoundInstance* instance = nullptr;
    if (mDevice != nullptr) {
        if (mSourceSounds[id] == nullptr) {
            return nullptr;
        }
        instance = new DSoundInstance(this, mSourceSounds[id].get());
    } else {
        instance = new DSoundInstance(this, nullptr);
    }
    mPlayingSounds[slot] = instance;
    instance->SetBasePan(mBasePans[id]);
    instance->SetBaseVolume(mBaseVolumes[id]);
    return instance;
}

void DSoundManager::DeleteInstance(int slot) {
    delete mPlayingSounds[slot];
    mPlayingSounds[slot] = nullptr;
}

int DSoundManager::FindFreeInstanceSlot() {
    const uint32_t now = Platform::GetClock().TickMs();
    if (now - mLastReleaseTick > 1000) {
        ReleaseFinishedInstances();
        mLastReleaseTick = now;
    }
    for (int slot = 0; slot < kMaxInstances; ++slot) {
        if (mPlayingSounds[slot] == nullptr) {
            return slot;
        }
        if (mPlayingSounds[slot]->IsReleased()) {
            DeleteInstance(slot);
            return slot;
        }
    }
    return -1;
}

void DSoundManager::ReleaseFinishedInstances() {
    for (int slot = 0; slot < kMaxInstances; ++slot) {
        if (mPlayingSounds[slot] != nullptr && mPlayingSounds[slot]->IsReleased()) {
            DeleteInstance(slot);
        }
    }
}

void DSoundManager::ReleaseInstances() {
    for (int slot = 0; slot < kMaxInstances; ++slot) {
        if (mPlayingSounds[slot] != nullptr) {
            DeleteInstance(slot);
        }
    }
}

void DSoundManager::StopAllSounds() {
    for (DSoundInstance* instance : mPlayingSounds) {
        if (instance != nullptr) {
            // Stop clears auto-release; it is kept so that the sweep still reclaims the slot.
            const bool autoRelease = instance->IsAutoRelease();
            instance->Stop();
            instance->SetAutoRelease(autoRelease);
        }
    }
}

double DSoundManager::GetMasterVolume() {
    return Platform::GetAudioSystem().GetWaveOutVolume() / 65535.0;
}

void DSoundManager::SetMasterVolume(double volume) {
    // A volume outside 0..1 is clamped, or the conversion would overflow.
    const double clamped = std::clamp(volume, 0.0, 1.0);
    Platform::GetAudioSystem().SetWaveOutVolume(static_cast<uint32_t>(clamped * 65535));
}

void DSoundManager::NoOp() {}

void DSoundManager::SetSoundWindow(Platform::Window* window, int) {
    if (mDevice != nullptr) {
        (void)mDevice->SetCooperativeLevel(window, Platform::kCoopNormal);
    }
}

} // namespace Vuro
