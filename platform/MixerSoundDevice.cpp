#include "platform/MixerSoundDevice.h"

namespace Vuro::Platform {

bool IsPlayableFormat(const WaveFormat& format) {
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.blockAlign == format.channels * format.bitsPerSample / 8 &&
           format.samplesPerSec >= kFrequencyMin && format.samplesPerSec <= kFrequencyMax;
}

namespace {

// A buffer that only takes the output format; the mixer's output does not change with it.
class PrimaryBuffer : public SoundBuffer {
public:
    SoundResult Lock(uint32_t, uint32_t, uint8_t**) override { return SoundResult::InvalidCall; }
    SoundResult Unlock(uint8_t*) override { return SoundResult::InvalidCall; }
    SoundResult GetFormat(WaveFormat& format) override {
        format = mFormat;
        return SoundResult::Ok;
    }
    SoundResult SetFormat(const WaveFormat& format) override {
        if (!IsPlayableFormat(format)) {
            return SoundResult::InvalidParam;
        }
        mFormat = format;
        return SoundResult::Ok;
    }
    SoundResult SetVolume(int) override { return SoundResult::InvalidCall; }
    SoundResult GetVolume(int&) override { return SoundResult::InvalidCall; }
    SoundResult SetPan(int) override { return SoundResult::InvalidCall; }
    SoundResult GetPan(int&) override { return SoundResult::InvalidCall; }
    SoundResult SetFrequency(uint32_t) override { return SoundResult::InvalidCall; }
    SoundResult GetFrequency(uint32_t&) override { return SoundResult::InvalidCall; }
    SoundResult Play(bool) override { return SoundResult::InvalidCall; }
    SoundResult Stop() override { return SoundResult::InvalidCall; }
    SoundResult SetCurrentPosition(uint32_t) override { return SoundResult::InvalidCall; }
    SoundResult SetLoopPoints(uint32_t, uint32_t) override { return SoundResult::InvalidCall; }
    SoundResult GetStatus(uint32_t& status) override {
        status = 0;
        return SoundResult::Ok;
    }

private:
    WaveFormat mFormat{1, 2, 22050, 88200, 4, 16};
};

// A secondary buffer: one voice of the mixer.
class VoiceBuffer : public SoundBuffer {
public:
    VoiceBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<std::vector<uint8_t>> data,
                const WaveFormat& format)
        : mMixer(std::move(mixer)), mVoice(std::make_shared<MixerVoice>()) {
        mVoice->data = std::move(data);
        mVoice->format = format;
        mVoice->frequency = format.samplesPerSec;
        mMixer->Add(mVoice);
    }
    ~VoiceBuffer() override { mMixer->Remove(mVoice.get()); }
    VoiceBuffer(const VoiceBuffer&) = delete;
    VoiceBuffer& operator=(const VoiceBuffer&) = delete;

    std::shared_ptr<std::vector<uint8_t>> Data() const { return mVoice->data; }

    SoundResult Lock(uint32_t offset, uint32_t bytes, uint8_t** data) override {
        const size_t size = mVoice->data->size();
        if (mLocked || offset > size || bytes > size - offset) {
            return SoundResult::InvalidParam;
        }
        mLocked = true;
        *data = mVoice->data->data() + offset;
        return SoundResult::Ok;
    }
    SoundResult Unlock(uint8_t*) override {
        if (!mLocked) {
            return SoundResult::InvalidCall;
        }
        mLocked = false;
        return SoundResult::Ok;
    }
    SoundResult GetFormat(WaveFormat& format) override {
        format = mVoice->format;
        return SoundResult::Ok;
    }
    SoundResult SetFormat(const WaveFormat&) override { return SoundResult::InvalidCall; }
    SoundResult SetVolume(int volume) override {
        if (volume < kVolumeMin || volume > kVolumeMax) {
            return SoundResult::InvalidParam;
        }
        std::lock_guard lock(mMixer->Mutex());
        mVoice->volume = volume;
        return SoundResult::Ok;
    }
    SoundResult GetVolume(int& volume) override {
        std::lock_guard lock(mMixer->Mutex());
        volume = mVoice->volume;
        return SoundResult::Ok;
    }
    SoundResult SetPan(int pan) override {
        if (pan < kPanLeft || pan > kPanRight) {
            return SoundResult::InvalidParam;
        }
        std::lock_guard lock(mMixer->Mutex());
        mVoice->pan = pan;
        return SoundResult::Ok;
    }
    SoundResult GetPan(int& pan) override {
        std::lock_guard lock(mMixer->Mutex());
        pan = mVoice->pan;
        return SoundResult::Ok;
    }
    SoundResult SetFrequency(uint32_t frequency) override {
        if (frequency == kFrequencyOriginal) {
            frequency = mVoice->format.samplesPerSec;
        }
        if (frequency < kFrequencyMin || frequency > kFrequencyMax) {
            return SoundResult::InvalidParam;
        }
        std::lock_guard lock(mMixer->Mutex());
        mVoice->frequency = frequency;
        return SoundResult::Ok;
    }
    SoundResult GetFrequency(uint32_t& frequency) override {
        std::lock_guard lock(mMixer->Mutex());
        frequency = mVoice->frequency;
        return SoundResult::Ok;
    }
    SoundResult Play(bool looping) override {
        std::lock_guard lock(mMixer->Mutex());
        mVoice->looping = looping;
        mVoice->playing = true;
        return SoundResult::Ok;
    }
    SoundResult Stop() override {
        std::lock_guard lock(mMixer->Mutex());
        mVoice->playing = false;
        return SoundResult::Ok;
    }
    SoundResult SetCurrentPosition(uint32_t position) override {
        std::lock_guard lock(mMixer->Mutex());
        const uint32_t frames =
            static_cast<uint32_t>(mVoice->data->size() / mVoice->format.blockAlign);
        mVoice->frame = std::min(position / mVoice->format.blockAlign, frames);
        mVoice->fraction = 0;
        return SoundResult::Ok;
    }
    SoundResult SetLoopPoints(uint32_t startByte, uint32_t endByte) override {
        const uint32_t align = mVoice->format.blockAlign;
        if (startByte >= endByte || endByte > mVoice->data->size() || startByte % align != 0 ||
            endByte % align != 0) {
            return SoundResult::InvalidParam;
        }
        std::lock_guard lock(mMixer->Mutex());
        mVoice->loopStart = startByte / align;
        mVoice->loopEnd = endByte / align;
        return SoundResult::Ok;
    }
    SoundResult GetStatus(uint32_t& status) override {
        std::lock_guard lock(mMixer->Mutex());
        status = mVoice->playing ? kStatusPlaying | (mVoice->looping ? kStatusLooping : 0) : 0;
        return SoundResult::Ok;
    }

private:
    std::shared_ptr<Mixer> mMixer;
    std::shared_ptr<MixerVoice> mVoice;
    bool mLocked = false;
};

} // namespace

SoundResult MixerSoundDevice::SetCooperativeLevel(Window*, int level) {
    if (level != kCoopNormal && level != kCoopPriority) {
        return SoundResult::InvalidParam;
    }
    mLevel = level;
    return SoundResult::Ok;
}

SoundResult MixerSoundDevice::CreateSoundBuffer(const BufferDesc& desc,
                                                std::unique_ptr<SoundBuffer>& buffer) {
    buffer.reset();
    if ((desc.flags & kBufferPrimary) != 0) {
        if (desc.bufferBytes != 0) {
            return SoundResult::InvalidParam;
        }
        buffer = std::make_unique<PrimaryBuffer>();
        return SoundResult::Ok;
    }
    if (!IsPlayableFormat(desc.format) || desc.bufferBytes < kBufferBytesMin ||
        desc.bufferBytes > kBufferBytesMax) {
        return SoundResult::InvalidParam;
    }
    auto data = std::make_shared<std::vector<uint8_t>>(desc.bufferBytes);
    buffer = std::make_unique<VoiceBuffer>(mMixer, std::move(data), desc.format);
    return SoundResult::Ok;
}

SoundResult MixerSoundDevice::DuplicateSoundBuffer(SoundBuffer& source,
                                                   std::unique_ptr<SoundBuffer>& duplicate) {
    duplicate.reset();
    auto* voice = dynamic_cast<VoiceBuffer*>(&source);
    if (voice == nullptr) {
        return SoundResult::InvalidParam;
    }
    WaveFormat format;
    (void)voice->GetFormat(format);
    duplicate = std::make_unique<VoiceBuffer>(mMixer, voice->Data(), format);
    return SoundResult::Ok;
}

} // namespace Vuro::Platform
