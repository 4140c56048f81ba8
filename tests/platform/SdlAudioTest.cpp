// The SDL audio system on SDL's dummy audio driver: a device opens, plays buffers, and the
// wave-out volume holds before, during and after it.

#include "platform/MixerSoundDevice.h"

#include <gtest/gtest.h>

namespace Vuro::Platform {
namespace {

TEST(SdlAudioSystem, OpensADeviceThatPlaysAndKeepsTheWaveOutVolume) {
    AudioSystem& audio = GetAudioSystem();
    const uint32_t before = audio.GetWaveOutVolume();
    audio.SetWaveOutVolume(40000);
    auto device = audio.CreateSoundDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(audio.GetWaveOutVolume(), 40000u);
    audio.SetWaveOutVolume(70000);
    EXPECT_EQ(audio.GetWaveOutVolume(), 65535u);

    BufferDesc desc;
    desc.format = {1, 1, 44100, 88200, 2, 16};
    desc.bufferBytes = 8;
    std::unique_ptr<SoundBuffer> buffer;
    ASSERT_EQ(device->CreateSoundBuffer(desc, buffer), SoundResult::Ok);
    EXPECT_EQ(buffer->Play(true), SoundResult::Ok);
    uint32_t status = 0;
    ASSERT_EQ(buffer->GetStatus(status), SoundResult::Ok);
    EXPECT_NE(status & kStatusPlaying, 0u);
    buffer.reset();
    device.reset();
    audio.SetWaveOutVolume(before);
}

TEST(SdlAudioSystem, TheWaveOutVolumeReachesEveryOpenDevice) {
    // Sound effects and music each open a device of their own; they share the one output.
    AudioSystem& audio = GetAudioSystem();
    const uint32_t before = audio.GetWaveOutVolume();
    auto effects = audio.CreateSoundDevice();
    auto music = audio.CreateSoundDevice();
    ASSERT_NE(effects, nullptr);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(&static_cast<MixerSoundDevice&>(*effects).GetMixer(),
              &static_cast<MixerSoundDevice&>(*music).GetMixer());
    audio.SetWaveOutVolume(30000);
    EXPECT_EQ(static_cast<MixerSoundDevice&>(*effects).GetMixer().GetMasterVolume(), 30000u);
    EXPECT_EQ(static_cast<MixerSoundDevice&>(*music).GetMixer().GetMasterVolume(), 30000u);
    music.reset();
    audio.SetWaveOutVolume(20000);
    EXPECT_EQ(static_cast<MixerSoundDevice&>(*effects).GetMixer().GetMasterVolume(), 20000u);
    effects.reset();
    audio.SetWaveOutVolume(before);
}

} // namespace
} // namespace Vuro::Platform
