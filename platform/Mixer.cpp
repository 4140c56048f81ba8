#include "platform/Mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace Vuro::Platform {

namespace {

std::atomic<bool> gOutputSilenced{false};

int32_t ReadSample(const MixerVoice& voice, uint32_t frame, int channel) {
    const uint8_t* bytes =
        voice.data->data() + static_cast<size_t>(frame) * voice.format.blockAlign;
    if (voice.format.bitsPerSample == 8) {
        return (static_cast<int32_t>(bytes[channel]) - 128) * 256;
    }
    const uint8_t* sample = bytes + channel * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(sample[0] | (sample[1] << 8)));
}

} // namespace

int32_t Mixer::GainQ16(int hundredthsDb) {
    if (hundredthsDb <= kVolumeMin) {
        return 0;
    }
    return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, hundredthsDb / 2000.0)));
}

void Mixer::Add(const std::shared_ptr<MixerVoice>& voice) {
    std::lock_guard lock(mMutex);
    mVoices.push_back(voice);
}

void Mixer::Remove(const MixerVoice* voice) {
    std::lock_guard lock(mMutex);
    std::erase_if(mVoices, [voice](const auto& entry) { return entry.get() == voice; });
}

uint32_t Mixer::GetMasterVolume() {
    std::lock_guard lock(mMutex);
    return mMasterVolume;
}

void Mixer::SetMasterVolume(uint32_t volume) {
    std::lock_guard lock(mMutex);
    mMasterVolume = std::min<uint32_t>(volume, 65535);
}

void SilenceSoundOutput(bool silenced) {
    gOutputSilenced = silenced;
}

void Mixer::Mix(int16_t* out, size_t frames) {
    std::lock_guard lock(mMutex);
    mSums.assign(frames * kOutputChannels, 0);
    for (const auto& voice : mVoices) {
        if (voice->playing) {
            MixVoice(*voice, mSums.data(), frames);
        }
    }
    // Silenced, the voices still advance: only what is heard stops.
    const int64_t volume = gOutputSilenced ? 0 : mMasterVolume;
    for (size_t i = 0; i < mSums.size(); ++i) {
        int64_t scaled = static_cast<int64_t>(mSums[i]) * volume / 65535;
        out[i] = static_cast<int16_t>(std::clamp<int64_t>(scaled, -32768, 32767));
    }
    if (mTap) {
        mTap(out, frames);
    }
}

void Mixer::SetTap(Tap tap) {
    std::lock_guard lock(mMutex);
    mTap = std::move(tap);
}

void Mixer::MixVoice(MixerVoice& voice, int32_t* sums, size_t frames) {
    const uint32_t frameCount =
        voice.format.blockAlign == 0
            ? 0
            : static_cast<uint32_t>(voice.data->size() / voice.format.blockAlign);
    if (frameCount == 0 || voice.frame >= frameCount) {
        voice.playing = false;
        return;
    }
    const int leftDb = std::max(voice.volume + std::min(0, -voice.pan), kVolumeMin);
    const int rightDb = std::max(voice.volume + std::min(0, voice.pan), kVolumeMin);
    const int64_t leftGain = GainQ16(leftDb);
    const int64_t rightGain = GainQ16(rightDb);
    const uint32_t step =
        static_cast<uint32_t>((static_cast<uint64_t>(voice.frequency) << 16) / kOutputRate);
    const bool stereo = voice.format.channels == 2;
    // The loop as it holds: a bad range repeats the whole sound.
    uint32_t loopEnd =
        voice.loopEnd == 0 || voice.loopEnd > frameCount ? frameCount : voice.loopEnd;
    uint32_t loopStart = voice.loopStart < loopEnd ? voice.loopStart : 0;
    if (!voice.looping) {
        loopEnd = frameCount;
    }

    for (size_t i = 0; i < frames; ++i) {
        uint32_t next = voice.frame + 1;
        if (next == loopEnd && voice.looping) {
            next = loopStart;
        } else if (next >= frameCount) {
            next = voice.frame;
        }
        int32_t side[2];
        for (int c = 0; c < (stereo ? 2 : 1); ++c) {
            int32_t s0 = ReadSample(voice, voice.frame, c);
            int32_t s1 = ReadSample(voice, next, c);
            side[c] =
                s0 + static_cast<int32_t>((static_cast<int64_t>(s1 - s0) * voice.fraction) >> 16);
        }
        if (!stereo) {
            side[1] = side[0];
        }
        sums[i * 2] += static_cast<int32_t>((side[0] * leftGain) >> 16);
        sums[i * 2 + 1] += static_cast<int32_t>((side[1] * rightGain) >> 16);

        uint64_t position = static_cast<uint64_t>(voice.fraction) + step;
        uint64_t frame = voice.frame + (position >> 16);
        voice.fraction = static_cast<uint32_t>(position & 0xFFFF);
        if (voice.looping && voice.frame < loopEnd && frame >= loopEnd) {
            frame = loopStart + (frame - loopEnd) % (loopEnd - loopStart);
        } else if (frame >= frameCount) {
            voice.frame = frameCount;
            voice.fraction = 0;
            voice.playing = false;
            return;
        }
        voice.frame = static_cast<uint32_t>(frame);
    }
}

} // namespace Vuro::Platform
