// The software mixer and the sound device over it. Expected samples are worked out from the
// mixer's formulas by hand: gain = round(65536 x 10^(dB / 2000)), side = (sample x gain) >> 16.

#include "platform/Mixer.h"
#include "platform/MixerSoundDevice.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace Vuro::Platform {
namespace {

class MixerTest : public ::testing::Test {
protected:
    // A playing buffer holding 16-bit samples (or raw bytes for 8-bit formats).
    std::unique_ptr<SoundBuffer> Buffer(int channels, int bits, uint32_t rate,
                                        const std::vector<int>& samples) {
        BufferDesc desc;
        desc.flags = kBufferStatic | kBufferCtrlVolume | kBufferCtrlPan | kBufferCtrlFrequency;
        desc.format = {1,
                       static_cast<uint16_t>(channels),
                       rate,
                       rate * channels * bits / 8,
                       static_cast<uint16_t>(channels * bits / 8),
                       static_cast<uint16_t>(bits)};
        desc.bufferBytes = static_cast<uint32_t>(samples.size() * bits / 8);
        std::unique_ptr<SoundBuffer> buffer;
        EXPECT_EQ(mDevice.CreateSoundBuffer(desc, buffer), SoundResult::Ok);
        uint8_t* data = nullptr;
        EXPECT_EQ(buffer->Lock(0, desc.bufferBytes, &data), SoundResult::Ok);
        for (size_t i = 0; i < samples.size(); ++i) {
            if (bits == 8) {
                data[i] = static_cast<uint8_t>(samples[i]);
            } else {
                data[i * 2] = static_cast<uint8_t>(samples[i] & 0xFF);
                data[i * 2 + 1] = static_cast<uint8_t>((samples[i] >> 8) & 0xFF);
            }
        }
        EXPECT_EQ(buffer->Unlock(data), SoundResult::Ok);
        return buffer;
    }

    std::vector<int16_t> Mix(size_t frames) {
        std::vector<int16_t> out(frames * 2, 0x5555);
        mMixer->Mix(out.data(), frames);
        return out;
    }

    static std::vector<int16_t> Frames(std::initializer_list<int> interleaved) {
        return std::vector<int16_t>(interleaved.begin(), interleaved.end());
    }

    std::shared_ptr<Mixer> mMixer = std::make_shared<Mixer>();
    MixerSoundDevice mDevice{mMixer};
};

TEST_F(MixerTest, GainFollowsHundredthsOfADecibel) {
    EXPECT_EQ(Mixer::GainQ16(0), 65536);
    EXPECT_EQ(Mixer::GainQ16(-600), 32846); // 65536 x 0.501187
    EXPECT_EQ(Mixer::GainQ16(-2000), 6554); // 65536 x 0.1
    EXPECT_EQ(Mixer::GainQ16(-9999), 1);    // 65536 x 0.0000101
    EXPECT_EQ(Mixer::GainQ16(-10000), 0);
}

TEST_F(MixerTest, MonoAtFullVolumePlaysOnBothSidesUnchangedThenSilence) {
    auto buffer = Buffer(1, 16, 44100, {1000, -2000, 32767, -32768});
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(5), Frames({1000, 1000, -2000, -2000, 32767, 32767, -32768, -32768, 0, 0}));
    uint32_t status = 1;
    EXPECT_EQ(buffer->GetStatus(status), SoundResult::Ok);
    EXPECT_EQ(status, 0u);
}

TEST_F(MixerTest, VolumeAndPanScaleEachSide) {
    auto buffer = Buffer(1, 16, 44100, {10000, -10000, 10000, 10000, 10000});
    ASSERT_EQ(buffer->SetVolume(-600), SoundResult::Ok);
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    // 10000 x 32846 >> 16 = 5011; -10000 x 32846 >> 16 = -5012 (the shift rounds down).
    EXPECT_EQ(Mix(2), Frames({5011, 5011, -5012, -5012}));

    ASSERT_EQ(buffer->SetVolume(0), SoundResult::Ok);
    ASSERT_EQ(buffer->SetPan(2000), SoundResult::Ok); // left 20 dB down: 10000 x 6554 >> 16
    EXPECT_EQ(Mix(1), Frames({1000, 10000}));
    ASSERT_EQ(buffer->SetPan(-10000), SoundResult::Ok); // right silent
    EXPECT_EQ(Mix(1), Frames({10000, 0}));
    ASSERT_EQ(buffer->SetPan(-1000), SoundResult::Ok);
    ASSERT_EQ(buffer->SetVolume(-1000), SoundResult::Ok); // left -10 dB, right -20 dB
    // gain(-1000) = round(65536 x 0.316228) = 20724; 10000 x 20724 >> 16 = 3162.
    EXPECT_EQ(Mix(1), Frames({3162, 1000}));
}

TEST_F(MixerTest, StereoEightBitSamplesAreUnsignedAndKeepTheirSides) {
    auto buffer = Buffer(2, 8, 44100, {200, 56, 128, 255});
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    // (b - 128) x 256.
    EXPECT_EQ(Mix(3), Frames({18432, -18432, 0, 32512, 0, 0}));
}

TEST_F(MixerTest, HalfTheOutputRateInterpolatesBetweenFrames) {
    auto buffer = Buffer(1, 16, 22050, {0, 1000, 3000});
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    // Step 0.5 frame; past the last frame the last one is held, then the voice ends.
    EXPECT_EQ(Mix(7),
              Frames({0, 0, 500, 500, 1000, 1000, 2000, 2000, 3000, 3000, 3000, 3000, 0, 0}));

    auto faster = Buffer(1, 16, 22050, {0, 1000, 3000, 6000});
    ASSERT_EQ(faster->SetFrequency(88200), SoundResult::Ok); // step 2 frames
    ASSERT_EQ(faster->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(3), Frames({0, 0, 3000, 3000, 0, 0}));
}

TEST_F(MixerTest, LoopingWrapsToTheStartAndKeepsPlaying) {
    auto buffer = Buffer(1, 16, 44100, {1, 2, 3});
    ASSERT_EQ(buffer->Play(true), SoundResult::Ok);
    EXPECT_EQ(Mix(7), Frames({1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 1, 1}));
    uint32_t status = 0;
    ASSERT_EQ(buffer->GetStatus(status), SoundResult::Ok);
    EXPECT_EQ(status, kStatusPlaying | kStatusLooping);

    // Looping at half speed interpolates from the last frame toward the first.
    ASSERT_EQ(buffer->Stop(), SoundResult::Ok);
    ASSERT_EQ(buffer->SetCurrentPosition(4), SoundResult::Ok); // frame 2
    ASSERT_EQ(buffer->SetFrequency(22050), SoundResult::Ok);
    ASSERT_EQ(buffer->Play(true), SoundResult::Ok);
    EXPECT_EQ(Mix(3), Frames({3, 3, 2, 2, 1, 1}));
}

TEST_F(MixerTest, VoicesAddUpThenTheWaveOutVolumeScalesAndTheSumIsClamped) {
    auto a = Buffer(1, 16, 44100, {30000, -30000, 10000, -10000});
    auto b = Buffer(1, 16, 44100, {30000, -30000, 0, 0});
    ASSERT_EQ(a->Play(false), SoundResult::Ok);
    ASSERT_EQ(b->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(2), Frames({32767, 32767, -32768, -32768}));
    mMixer->SetMasterVolume(32767);
    // 10000 x 32767 / 65535 = 4999.9, toward zero.
    EXPECT_EQ(Mix(2), Frames({4999, 4999, -4999, -4999}));
}

TEST_F(MixerTest, LowestVolumeIsSilence) {
    auto buffer = Buffer(1, 16, 44100, {32767, 32767});
    ASSERT_EQ(buffer->SetVolume(kVolumeMin), SoundResult::Ok);
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(1), Frames({0, 0}));
}

TEST_F(MixerTest, ValuesOutOfRangeAreRefusedAndChangeNothing) {
    auto buffer = Buffer(1, 16, 44100, {1, 2});
    EXPECT_EQ(buffer->SetVolume(1), SoundResult::InvalidParam);
    EXPECT_EQ(buffer->SetVolume(-10001), SoundResult::InvalidParam);
    EXPECT_EQ(buffer->SetPan(10001), SoundResult::InvalidParam);
    EXPECT_EQ(buffer->SetFrequency(99), SoundResult::InvalidParam);
    EXPECT_EQ(buffer->SetFrequency(200001), SoundResult::InvalidParam);
    int volume = 1;
    int pan = 1;
    uint32_t frequency = 0;
    ASSERT_EQ(buffer->GetVolume(volume), SoundResult::Ok);
    ASSERT_EQ(buffer->GetPan(pan), SoundResult::Ok);
    ASSERT_EQ(buffer->GetFrequency(frequency), SoundResult::Ok);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(pan, 0);
    EXPECT_EQ(frequency, 44100u);
    ASSERT_EQ(buffer->SetFrequency(kFrequencyOriginal), SoundResult::Ok);

    BufferDesc desc;
    desc.format = {1, 3, 44100, 264600, 6, 16};
    desc.bufferBytes = 60;
    std::unique_ptr<SoundBuffer> refused;
    EXPECT_EQ(mDevice.CreateSoundBuffer(desc, refused), SoundResult::InvalidParam);
    desc.format = {1, 1, 44100, 88200, 2, 16};
    desc.bufferBytes = 2;
    EXPECT_EQ(mDevice.CreateSoundBuffer(desc, refused), SoundResult::InvalidParam);
    desc.bufferBytes = kBufferBytesMax + 1;
    EXPECT_EQ(mDevice.CreateSoundBuffer(desc, refused), SoundResult::InvalidParam);
    EXPECT_EQ(refused, nullptr);
    uint8_t* data = nullptr;
    EXPECT_EQ(buffer->Lock(2, 4, &data), SoundResult::InvalidParam);
}

TEST_F(MixerTest, DuplicatesShareTheDataButPlayOnTheirOwnAndOutliveTheSource) {
    auto source = Buffer(1, 16, 44100, {100, 200});
    std::unique_ptr<SoundBuffer> copy;
    ASSERT_EQ(mDevice.DuplicateSoundBuffer(*source, copy), SoundResult::Ok);
    uint8_t* data = nullptr;
    ASSERT_EQ(source->Lock(0, 4, &data), SoundResult::Ok);
    data[0] = 44; // the first sample becomes 44 for both
    ASSERT_EQ(source->Unlock(data), SoundResult::Ok);
    source.reset();
    ASSERT_EQ(copy->SetPan(10000), SoundResult::Ok);
    ASSERT_EQ(copy->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(2), Frames({0, 44, 0, 200}));
}

TEST_F(MixerTest, PrimaryBufferTakesOnlyAFormat) {
    BufferDesc desc;
    desc.flags = kBufferPrimary;
    std::unique_ptr<SoundBuffer> primary;
    ASSERT_EQ(mDevice.CreateSoundBuffer(desc, primary), SoundResult::Ok);
    WaveFormat format{1, 2, 44100, 176400, 4, 16};
    EXPECT_EQ(primary->SetFormat(format), SoundResult::Ok);
    WaveFormat read;
    ASSERT_EQ(primary->GetFormat(read), SoundResult::Ok);
    EXPECT_EQ(read.samplesPerSec, 44100u);
    uint8_t* data = nullptr;
    EXPECT_EQ(primary->Lock(0, 4, &data), SoundResult::InvalidCall);
    EXPECT_EQ(primary->Play(false), SoundResult::InvalidCall);
    std::unique_ptr<SoundBuffer> copy;
    EXPECT_EQ(mDevice.DuplicateSoundBuffer(*primary, copy), SoundResult::InvalidParam);
}

TEST_F(MixerTest, ALoopRepeatsItsPartAfterWhatComesBeforeItPlayedOnce) {
    auto buffer = Buffer(1, 16, 44100, {10, 20, 30, 40, 50});
    // Frames 1 to 3 repeat; bytes count.
    ASSERT_EQ(buffer->SetLoopPoints(2, 8), SoundResult::Ok);
    ASSERT_EQ(buffer->Play(true), SoundResult::Ok);
    EXPECT_EQ(Mix(8), Frames({10, 10, 20, 20, 30, 30, 40, 40, 20, 20, 30, 30, 40, 40, 20, 20}));
    // Half-rate: between the loop's last and first frame the mixer reads toward the first.
    ASSERT_EQ(buffer->SetCurrentPosition(6), SoundResult::Ok);
    ASSERT_EQ(buffer->SetFrequency(22050), SoundResult::Ok);
    EXPECT_EQ(Mix(3), Frames({40, 40, 30, 30, 20, 20}));
    // Not looping, the sound plays on to its end.
    ASSERT_EQ(buffer->SetFrequency(44100), SoundResult::Ok);
    ASSERT_EQ(buffer->SetCurrentPosition(4), SoundResult::Ok);
    ASSERT_EQ(buffer->Play(false), SoundResult::Ok);
    EXPECT_EQ(Mix(4), Frames({30, 30, 40, 40, 50, 50, 0, 0}));
    // Ranges outside the buffer, empty or between frames are refused.
    for (auto [start, end] : {std::pair{0u, 12u}, {4u, 4u}, {6u, 2u}, {1u, 4u}}) {
        EXPECT_EQ(buffer->SetLoopPoints(start, end), SoundResult::InvalidParam) << start;
    }
}

} // namespace
} // namespace Vuro::Platform
