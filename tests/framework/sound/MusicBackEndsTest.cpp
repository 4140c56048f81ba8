// Both music back ends over their built-in libraries play an Ogg, a WAVE, an MP3 and a module
// song exactly as the decoded file sounds at the volume asked for: the reference is the same
// file decoded and played once on a mixer of its own. First on a mixer the test pulls from,
// then on SDL's dummy audio driver, recorded through the mixer's tap.

#include "SoundTestFiles.h"
#include "support/FakeAudioSystem.h"
#include "support/FakeWindowSystem.h"
#include "support/ModuleBytes.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModMusicInterface.h"
#include "platform/MixerSoundDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace Vuro {
namespace {

const std::string kData = VURO_SOURCE_DIR "/tests/framework/sound/data/";

struct Song {
    const char* file;
    size_t frames; // at the output's rate
};

const Song kSongs[] = {{"song.ogg", 4410},                             // 2205 frames at 22050 Hz
                       {"song.wav", 2000},                             // 44100 Hz
                       {"song.mp3", 11025},                            // 44100 Hz
                       {"song.mod", 2 * Vuro::Test::kFramesPerOrder}}; // two orders

void WriteSongs() {
    std::filesystem::copy_file(kData + "tone.ogg", "song.ogg");
    std::filesystem::copy_file(kData + "tone.mp3", "song.mp3");
    std::vector<int16_t> ramp;
    for (int i = 0; i < 2000; ++i) {
        ramp.push_back(static_cast<int16_t>((i % 200) * 150 - 15000));
    }
    Vuro::Test::WriteFile("song.wav", Vuro::Test::WavBytes(ramp, 1, 44100).bytes);
    Vuro::Test::WriteFile("song.mod", Vuro::Test::ModuleBytes({0, 1}));
}

// The song played once from its start at an attenuation, on a mixer of its own.
std::vector<int16_t> Reference(const std::string& file, size_t frames, int db) {
    auto mixer = std::make_shared<Platform::Mixer>();
    Platform::MixerSoundDevice device(mixer);
    Platform::SoundBufferTarget target(device,
                                       Platform::kBufferStatic | Platform::kBufferCtrlVolume);
    EXPECT_TRUE(Platform::DecodeSoundFile(file, Platform::IdentifySoundFile(file), target));
    std::vector<int16_t> out(frames * 2);
    if (target.Buffer() != nullptr) {
        (void)target.Buffer()->SetVolume(db);
        (void)target.Buffer()->Play(false);
        mixer->Mix(out.data(), frames);
    }
    return out;
}

// fmod.dll is opened by a sound manager with the use-fmod flag, as the application does.
void MakeBackEnd(bool fmod, Platform::Window* window, std::unique_ptr<DSoundManager>& sounds,
                 std::unique_ptr<MusicInterface>& music) {
    if (fmod) {
        sounds = std::make_unique<DSoundManager>(window, true);
        music = std::make_unique<FModMusicInterface>(window);
    } else {
        music = std::make_unique<BassMusicInterface>(window);
    }
}

class MusicBackEnds : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        WriteSongs();
        mWindow = mWindows.CreateWindow({});
        MakeBackEnd(GetParam(), mWindow.get(), mSounds, mMusic);
    }
    void TearDown() override {
        mSounds.reset();
        mMusic.reset();
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow;
    Vuro::Test::FakeAudioSystem mAudio;
    std::unique_ptr<DSoundManager> mSounds;
    std::unique_ptr<MusicInterface> mMusic;
};

TEST_P(MusicBackEnds, PlayEveryKindOfSongAtItsVolumeWithFades) {
    int id = 1;
    for (const Song& song : kSongs) {
        SCOPED_TRACE(song.file);
        ASSERT_TRUE(mMusic->LoadMusic(id, song.file));
        const size_t frames = song.frames + 64;

        mMusic->PlayMusic(id, 0, true);
        EXPECT_TRUE(mMusic->IsPlaying(id));
        EXPECT_EQ(mAudio.Mix(frames), Reference(song.file, frames, 0));
        EXPECT_FALSE(mMusic->IsPlaying(id));

        // The music volume: half amplitude is -6.02 dB.
        mMusic->SetVolume(0.5);
        mMusic->PlayMusic(id, 0, true);
        EXPECT_EQ(mAudio.Mix(frames), Reference(song.file, frames, -602));
        mMusic->SetVolume(1.0);

        // A fade-in from silence at 0.25 per update is at half volume after two updates.
        mMusic->StopMusic(id);
        mMusic->FadeIn(id, 0, 0.25, true);
        EXPECT_TRUE(mMusic->IsPlaying(id));
        mMusic->Update();
        mMusic->Update();
        EXPECT_EQ(mAudio.Mix(frames), Reference(song.file, frames, -602));

        // A fade-out that stops the song: 1.0, 0.5, 0.0, then below 0.
        mMusic->PlayMusic(id, 0, false);
        mMusic->FadeOut(id, true, 0.5);
        for (int i = 0; i < 2; ++i) {
            mMusic->Update();
            EXPECT_TRUE(mMusic->IsPlaying(id));
        }
        mMusic->Update();
        EXPECT_FALSE(mMusic->IsPlaying(id));
        EXPECT_EQ(mAudio.Mix(64), std::vector<int16_t>(128, 0));
        ++id;
    }
}

INSTANTIATE_TEST_SUITE_P(BassAndFMod, MusicBackEnds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FMod" : "Bass"; });

// Songs load on the loading thread while the main thread runs the fades over the same song map.
class MusicBackEndThreads : public MusicBackEnds {};

TEST_P(MusicBackEndThreads, SongsLoadOnAnotherThreadWhileFadesRun) {
    ASSERT_TRUE(mMusic->LoadMusic(100, "song.ogg"));
    mMusic->FadeIn(100, 0, 0.001, false);
    std::atomic<bool> done{false};
    std::thread loader([&] {
        for (int id = 0; id < 12; ++id) {
            EXPECT_TRUE(mMusic->LoadMusic(id, kSongs[id % std::size(kSongs)].file));
        }
        done = true;
    });
    while (!done) {
        mMusic->Update();
        mMusic->FadeOutAll(false, 0.0);
        (void)mMusic->IsPlaying(3);
    }
    loader.join();
    for (int id = 0; id < 12; ++id) {
        mMusic->PlayMusic(id, 0, true);
        EXPECT_TRUE(mMusic->IsPlaying(id)) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(BassAndFMod, MusicBackEndThreads, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FMod" : "Bass"; });

// SDL's dummy audio driver pulls the mixer on its own thread at its own pace: the test records
// what it mixes and waits (up to ten seconds) for each song to end.
class MusicBackEndsOnSdl : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        WriteSongs();
        mWindow = mWindows.CreateWindow({});
        mTapDevice = Platform::GetAudioSystem().CreateSoundDevice();
        ASSERT_NE(mTapDevice, nullptr);
        mMixer = &static_cast<Platform::MixerSoundDevice&>(*mTapDevice).GetMixer();
        mMixer->SetTap([this](const int16_t* out, size_t frames) {
            std::lock_guard lock(mRecordMutex);
            mRecord.insert(mRecord.end(), out, out + frames * 2);
        });
        MakeBackEnd(GetParam(), mWindow.get(), mSounds, mMusic);
    }
    void TearDown() override {
        if (mMixer != nullptr) {
            mMixer->SetTap({});
        }
        mSounds.reset();
        mMusic.reset();
        mTapDevice.reset();
    }

    std::vector<int16_t> TakeRecord() {
        std::lock_guard lock(mRecordMutex);
        return std::move(mRecord);
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<Platform::SoundDevice> mTapDevice;
    Platform::Mixer* mMixer = nullptr;
    std::unique_ptr<DSoundManager> mSounds;
    std::unique_ptr<MusicInterface> mMusic;
    std::mutex mRecordMutex;
    std::vector<int16_t> mRecord;
};

// The recording holds the song where it began to sound: the first sample that is not 0 lines
// up with the reference's first.
void ExpectRecorded(const std::vector<int16_t>& record, const std::vector<int16_t>& reference) {
    auto nonZero = [](int16_t s) { return s != 0; };
    const auto heard = std::find_if(record.begin(), record.end(), nonZero);
    const auto sounded = std::find_if(reference.begin(), reference.end(), nonZero);
    ASSERT_NE(heard, record.end());
    ASSERT_NE(sounded, reference.end());
    const auto start = heard - (sounded - reference.begin());
    ASSERT_GE(start - record.begin(), 0);
    ASSERT_GE(record.end() - start, static_cast<long>(reference.size()));
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(), start));
}

TEST_P(MusicBackEndsOnSdl, PlayEveryKindOfSongAsDecodedAtItsVolume) {
    int id = 1;
    for (const Song& song : kSongs) {
        SCOPED_TRACE(song.file);
        ASSERT_TRUE(mMusic->LoadMusic(id, song.file));
        // Full volume, then half the amplitude (-6.02 dB) through the music volume.
        for (const auto& [volume, db] : {std::pair{1.0, 0}, std::pair{0.5, -602}}) {
            mMusic->SetVolume(volume);
            (void)TakeRecord();
            mMusic->PlayMusic(id, 0, true);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (mMusic->IsPlaying(id) && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            ASSERT_FALSE(mMusic->IsPlaying(id));
            ExpectRecorded(TakeRecord(), Reference(song.file, song.frames, db));
        }
        ++id;
    }
}

INSTANTIATE_TEST_SUITE_P(BassAndFMod, MusicBackEndsOnSdl, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FMod" : "Bass"; });

} // namespace
} // namespace Vuro
