#include "framework/sound/DSoundInstance.h"

#include "framework/sound/DSoundManager.h"
#include "platform/Process.h"
#include "platform/Window.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

const char* ResultName(Platform::SoundResult result) {
    switch (result) {
    case Platform::SoundResult::Allocated:
        return "DSERR_ALLOCATED";
    case Platform::SoundResult::OutOfMemory:
        return "DSERR_OUTOFMEMORY";
    case Platform::SoundResult::InvalidParam:
        return "DSERR_INVALIDPARAM";
    case Platform::SoundResult::InvalidCall:
        return "DSERR_INVALIDCALL";
    case Platform::SoundResult::Uninitialized:
        return "DSERR_UNINITIALIZED";
    case Platform::SoundResult::Ok:
        break;
    }
    return nullptr;
}

} // namespace

int LinearToDSoundVolume(double volume) {
    const int db = static_cast<int>((std::log10(9.0 * volume + 1.0) - 1.0) * 2333.0);
    return db < -2000 ? Platform::kVolumeMin : db;
}

DSoundInstance::DSoundInstance(DSoundManager* manager, Platform::SoundBuffer* sourceBuffer)
    : mManager(manager), mSourceBuffer(sourceBuffer) {
    if (mSourceBuffer != nullptr) {
        Platform::SoundResult result =
            mManager->Device()->DuplicateSoundBuffer(*mSourceBuffer, mSoundBuffer);
        if (result != Platform::SoundResult::Ok) {
            if (const char* name = ResultName(result)) {
                Platform::GetWindowSystem().ShowMessageBox(name, "Hey", Platform::kMbOk);
            }
            Platform::ExitProcess(1); // the program cannot go on without its sounds
        }
        (void)mSoundBuffer->GetFrequency(mDefaultFrequency);
    }
    ApplyVolume();
}

DSoundInstance::~DSoundInstance() = default;

void DSoundInstance::ApplyVolume() {
    if (mSoundBuffer != nullptr) {
        (void)mSoundBuffer->SetVolume(
            LinearToDSoundVolume(mManager->EffectsVolume() * mVolume * mBaseVolume));
    }
}

void DSoundInstance::ApplyPan() {
    if (mSoundBuffer != nullptr) {
        (void)mSoundBuffer->SetPan(mPan + mBasePan);
    }
}

void DSoundInstance::SetBaseVolume(double baseVolume) {
    mBaseVolume = baseVolume;
    ApplyVolume();
}

void DSoundInstance::SetBasePan(int basePan) {
    mBasePan = basePan;
    ApplyPan();
}

void DSoundInstance::SetVolume(double volume) {
    mVolume = volume;
    ApplyVolume();
}

void DSoundInstance::SetPan(int pan) {
    mPan = pan;
    ApplyPan();
}

double DSoundInstance::GetVolume() {
    return mVolume;
}

void DSoundInstance::ShiftPitch(double semitones) {
    if (mSoundBuffer == nullptr) {
        return;
    }
    double frequency = mDefaultFrequency * std::pow(1.0594630943592953, semitones);
    frequency = std::clamp(frequency, 100.0, 100000.0);
    (void)mSoundBuffer->SetFrequency(static_cast<uint32_t>(frequency));
}

bool DSoundInstance::Play(bool looping, bool autoRelease) {
    Stop();
    mHasPlayed = true;
    mAutoRelease = autoRelease;
    if (mSoundBuffer == nullptr) {
        return false;
    }
    return mSoundBuffer->Play(looping) == Platform::SoundResult::Ok;
}

void DSoundInstance::Stop() {
    if (mSoundBuffer == nullptr) {
        return;
    }
    (void)mSoundBuffer->Stop();
    (void)mSoundBuffer->SetCurrentPosition(0);
    mAutoRelease = false;
}

void DSoundInstance::Release() {
    Stop();
    mReleased = true;
}

bool DSoundInstance::IsPlaying() {
    if (!mHasPlayed || mSoundBuffer == nullptr) {
        return false;
    }
    uint32_t status = 0;
    if (mSoundBuffer->GetStatus(status) != Platform::SoundResult::Ok) {
        return false;
    }
    return (status & Platform::kStatusPlaying) != 0;
}

bool DSoundInstance::IsReleased() {
    if (!mReleased && mAutoRelease && mHasPlayed && !IsPlaying()) {
        Release();
    }
    return mReleased;
}

} // namespace Vuro
