// Every sound effect of the data set, loaded as the game loads it: through the sound manager on
// SDL's dummy audio driver, by name without extension, from a working folder holding a copy of
// the made sound/ folder (so the decoded-sound cache is written there, not beside the program).
// The system sounds of media/ are held to the same measure.

#include "support/FakeWindowSystem.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "tools/assetgen/audio/SoundTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

namespace Vuro {
namespace {

namespace fs = std::filesystem;

struct Pcm {
    Platform::WaveFormat mFormat;
    std::vector<int16_t> mSamples;
};

Pcm ReadPcm(DSoundManager& manager, uint32_t id) {
    Pcm pcm;
    Platform::SoundBuffer* buffer = manager.SoundBufferAt(id);
    if (buffer == nullptr || buffer->GetFormat(pcm.mFormat) != Platform::SoundResult::Ok) {
        return pcm;
    }
    uint8_t* data = nullptr;
    const uint32_t size = manager.DataSizeAt(id);
    if (buffer->Lock(0, size, &data) != Platform::SoundResult::Ok) {
        return pcm;
    }
    pcm.mSamples.resize(size / 2);
    std::memcpy(pcm.mSamples.data(), data, pcm.mSamples.size() * 2);
    (void)buffer->Unlock(data);
    return pcm;
}

class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Only the effects: the songs are not loaded through the sound manager.
        fs::create_directory("sound");
        std::set<std::string> names;
        for (const auto& effect : AssetGen::GameEffects()) {
            names.insert(fs::path(effect.mFile).filename().string());
        }
        for (const auto& item : fs::directory_iterator(fs::path(VURO_DATA_DIR) / "sound")) {
            if (names.count(item.path().stem().string()) != 0) {
                fs::copy_file(item.path(), fs::path("sound") / item.path().filename());
                mExtensions.insert(item.path().extension().string());
            }
        }
        fs::copy(fs::path(VURO_DATA_DIR) / "media", "media");
        mWindow = mWindows.CreateWindow({});
        mManager = std::make_unique<DSoundManager>(mWindow.get(), false);
        ASSERT_TRUE(mManager->Initialized());
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<DSoundManager> mManager;
    std::set<std::string> mExtensions;
};

TEST_F(SoundEffectsTest, EveryEffectLoadsShortCleanAndAtTheCommonPeak) {
    // Each reader of the sound manager gets real data.
    EXPECT_EQ(mExtensions, (std::set<std::string>{".au", ".ogg", ".wav"}));
    std::vector<std::pair<uint32_t, std::string>> sounds;
    for (const auto& effect : AssetGen::GameEffects()) {
        sounds.emplace_back(effect.mId, effect.mFile);
    }
    for (const auto& sound : AssetGen::kSystemSounds) {
        sounds.emplace_back(255, fs::path(sound.mFile).replace_extension().string());
    }
    for (const auto& [id, name] : sounds) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(mManager->LoadSoundAt(id, name));
        const Pcm pcm = ReadPcm(*mManager, id);
        ASSERT_EQ(pcm.mFormat.bitsPerSample, 16);
        ASSERT_GE(pcm.mFormat.channels, 1);
        ASSERT_LE(pcm.mFormat.channels, 2);
        EXPECT_GE(pcm.mFormat.samplesPerSec, 22050u);
        const size_t channels = pcm.mFormat.channels;
        const double seconds =
            static_cast<double>(pcm.mSamples.size() / channels) / pcm.mFormat.samplesPerSec;
        EXPECT_GE(seconds, 0.02);
        EXPECT_LE(seconds, 4.0);

        int peak = 0;
        double sum = 0.0;
        for (int16_t sample : pcm.mSamples) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
            sum += sample;
        }
        // Peaks at -3 dBFS (23197), lower for long steady sounds so they do not sound louder
        // than the short ones; the lossy formats may overshoot a little, never clip.
        EXPECT_GE(peak, 14000);
        EXPECT_LE(peak, 26000);
        // No offset, and no click where the sound starts or stops.
        EXPECT_LT(std::fabs(sum / static_cast<double>(pcm.mSamples.size())), 100.0);
        for (size_t channel = 0; channel < channels; ++channel) {
            EXPECT_LT(std::abs(pcm.mSamples[channel]), 1000);
            EXPECT_LT(std::abs(pcm.mSamples[pcm.mSamples.size() - channels + channel]), 200);
        }

        // And it plays: the game plays every effect through a released-when-done instance.
        SoundInstance* instance = mManager->MakeSoundInstance(id);
        ASSERT_NE(instance, nullptr);
        EXPECT_TRUE(instance->Play(false, true));
    }
    // The decoded effects were cached, the WAV files not.
    for (const auto& effect : AssetGen::GameEffects()) {
        const bool wav = fs::exists(std::string(effect.mFile) + ".wav");
        EXPECT_NE(fs::exists(std::string("cached/") + effect.mFile + ".wav"), wav) << effect.mFile;
    }
}

} // namespace
} // namespace Vuro
