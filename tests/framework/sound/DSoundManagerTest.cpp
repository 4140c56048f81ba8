// The sound manager and its instances over a mixer the test pulls from, with a fake clock for
// the once-a-second sweep. Sounds are loaded from WAV files in a fresh working folder.

#include "SoundTestFiles.h"
#include "support/ExitTrap.h"
#include "support/FakeAudioSystem.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/DSoundInstance.h"
#include "framework/sound/DSoundManager.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

class DSoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        mWindow = mWindows.CreateWindow({});
        mManager = std::make_unique<DSoundManager>(mWindow.get(), false);
        ASSERT_TRUE(mManager->Initialized());
    }

    // Loads a 16-bit mono sound of these samples into the id.
    void Give(uint32_t id, const std::vector<int16_t>& samples, uint32_t rate = 44100) {
        const std::string name = "snd/s" + std::to_string(id);
        Vuro::Test::WriteFile(name + ".wav", Vuro::Test::WavBytes(samples, 1, rate).bytes);
        ASSERT_TRUE(mManager->LoadSoundAt(id, name));
    }

    DSoundInstance* Make(uint32_t id) {
        return static_cast<DSoundInstance*>(mManager->MakeSoundInstance(id));
    }

    static int Volume(DSoundInstance* instance) {
        int volume = 1;
        EXPECT_EQ(instance->Buffer()->GetVolume(volume), Platform::SoundResult::Ok);
        return volume;
    }
    static int Pan(DSoundInstance* instance) {
        int pan = 1;
        EXPECT_EQ(instance->Buffer()->GetPan(pan), Platform::SoundResult::Ok);
        return pan;
    }
    static uint32_t Frequency(DSoundInstance* instance) {
        uint32_t frequency = 0;
        EXPECT_EQ(instance->Buffer()->GetFrequency(frequency), Platform::SoundResult::Ok);
        return frequency;
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeClock mClock;
    Vuro::Test::FakeAudioSystem mAudio;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<DSoundManager> mManager;
};

TEST(LinearToDSoundVolume, IsALogCurveCutToSilenceBelowTwentyDecibels) {
    EXPECT_EQ(LinearToDSoundVolume(1.0), 0);
    EXPECT_EQ(LinearToDSoundVolume(0.85), -146);
    EXPECT_EQ(LinearToDSoundVolume(0.5), -605);
    EXPECT_EQ(LinearToDSoundVolume(0.1), -1682);
    EXPECT_EQ(LinearToDSoundVolume(0.05), -1956);
    EXPECT_EQ(LinearToDSoundVolume(0.04), -10000);
    EXPECT_EQ(LinearToDSoundVolume(0.0), -10000);
}

TEST(DSoundManagerSilent, WithoutAWindowEverythingAnswersButNothingSounds) {
    Vuro::Test::FakeAudioSystem audio;
    DSoundManager manager(nullptr, false);
    EXPECT_FALSE(manager.Initialized());
    EXPECT_EQ(manager.LoadSound("sound/a"), 255);
    EXPECT_EQ(manager.LoadSound("sound/b"), 255);
    SoundInstance* instance = manager.MakeSoundInstance(255);
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(instance->Play(false, true));
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsReleased()); // played with auto-release and never playing
}

TEST(DSoundManagerSilent, NoOutputDeviceLeavesTheManagerSilent) {
    Vuro::Test::FakeAudioSystem audio;
    audio.mCanCreate = false;
    Vuro::Test::FakeWindowSystem windows;
    auto window = windows.CreateWindow({});
    DSoundManager manager(window.get(), false);
    EXPECT_FALSE(manager.Initialized());
    EXPECT_TRUE(manager.LoadSoundAt(3, "sound/none"));
}

TEST_F(DSoundManagerTest, LoadSoundFillsIdsFromTheTopAndRefusesUnknownNames) {
    Vuro::Test::WriteFile("snd/a.wav", Vuro::Test::WavBytes({1, 2}).bytes);
    Vuro::Test::WriteFile("snd/b.wav", Vuro::Test::WavBytes({3, 4}).bytes);
    EXPECT_EQ(mManager->LoadSound("snd/a"), 255);
    EXPECT_EQ(mManager->LoadSound("snd/b"), 254);
    EXPECT_EQ(mManager->LoadSound("snd/none"), -1);
    EXPECT_EQ(mManager->DataSizeAt(254), 4u);
    EXPECT_FALSE(mManager->LoadSoundAt(256, "snd/a"));
    mManager->ReleaseSound(255);
    EXPECT_EQ(mManager->SoundBufferAt(255), nullptr);
    EXPECT_EQ(mManager->LoadSound("snd/b"), 255);
}

TEST_F(DSoundManagerTest, InstancesNeedALoadedIdBelow256) {
    Give(255, {1, 2});
    EXPECT_NE(mManager->MakeSoundInstance(255), nullptr);
    EXPECT_EQ(mManager->MakeSoundInstance(256), nullptr);
    EXPECT_EQ(mManager->MakeSoundInstance(7), nullptr);
}

TEST_F(DSoundManagerTest, BaseVolumeAndPanReachOnlyInstancesMadeLater) {
    Give(255, {1, 2});
    EXPECT_FALSE(mManager->SetBaseVolume(256, 0.5));
    EXPECT_FALSE(mManager->SetBasePan(256, 100));
    DSoundInstance* before = Make(255);
    EXPECT_TRUE(mManager->SetBaseVolume(255, 0.5));
    EXPECT_TRUE(mManager->SetBasePan(255, -500));
    DSoundInstance* after = Make(255);
    EXPECT_EQ(Volume(before), 0);
    EXPECT_EQ(Pan(before), 0);
    EXPECT_EQ(Volume(after), -605);
    after->SetPan(2000);
    EXPECT_EQ(Pan(after), 1500);
}

TEST_F(DSoundManagerTest, EffectsVolumeMultipliesIntoEveryInstance) {
    Give(1, {1, 2});
    DSoundInstance* instance = Make(1);
    mManager->SetVolume(0.85);
    EXPECT_EQ(Volume(instance), -146);
    instance->SetVolume(0.5 / 0.85);
    EXPECT_EQ(Volume(instance), -605);
    EXPECT_DOUBLE_EQ(instance->GetVolume(), 0.5 / 0.85);
}

TEST_F(DSoundManagerTest, PitchShiftsFromTheSoundsOwnRateWithinLimits) {
    Give(1, {1, 2});
    DSoundInstance* instance = Make(1);
    instance->ShiftPitch(12);
    EXPECT_EQ(Frequency(instance), 88200u);
    instance->ShiftPitch(12);
    EXPECT_EQ(Frequency(instance), 88200u);
    instance->ShiftPitch(-100); // 44100 x 2^(-100 / 12) = 136.7
    EXPECT_EQ(Frequency(instance), 136u);
    instance->ShiftPitch(-120);
    EXPECT_EQ(Frequency(instance), 100u);
    instance->ShiftPitch(30);
    EXPECT_EQ(Frequency(instance), 100000u);
}

TEST_F(DSoundManagerTest, PlayedSoundIsHeardOnceThenReleasesItself) {
    Give(1, {1000, 2000, 3000});
    DSoundInstance* instance = Make(1);
    instance->SetPan(-10000);
    ASSERT_TRUE(instance->Play(false, true));
    EXPECT_TRUE(instance->IsPlaying());
    EXPECT_FALSE(instance->IsReleased());
    EXPECT_EQ(mAudio.Mix(4), (std::vector<int16_t>{1000, 0, 2000, 0, 3000, 0, 0, 0}));
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsReleased());
}

TEST_F(DSoundManagerTest, StoppedLoopCanBePlayedOnceFromTheStart) {
    Give(1, {1, 2, 3});
    DSoundInstance* instance = Make(1);
    ASSERT_TRUE(instance->Play(true, false));
    EXPECT_EQ(mAudio.Mix(5), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2}));
    instance->Stop();
    EXPECT_FALSE(instance->IsPlaying());
    ASSERT_TRUE(instance->Play(false, false));
    EXPECT_EQ(mAudio.Mix(4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 0, 0}));
    EXPECT_FALSE(instance->IsReleased()); // no auto-release: it stays until released
    instance->Release();
    EXPECT_TRUE(instance->IsReleased());
}

TEST_F(DSoundManagerTest, ThirtyThirdInstanceWaitsForAFinishedOne) {
    Give(1, {1, 2, 3, 4});
    Give(2, {5, 6});
    for (int i = 0; i < 32; ++i) {
        SoundInstance* instance = mManager->MakeSoundInstance(i == 5 ? 2 : 1);
        ASSERT_NE(instance, nullptr);
        ASSERT_TRUE(instance->Play(false, true));
    }
    EXPECT_EQ(mManager->MakeSoundInstance(1), nullptr);
    (void)mAudio.Mix(2); // the two-frame sound (made sixth) has ended
    EXPECT_NE(mManager->MakeSoundInstance(1), nullptr); // in the freed slot
    EXPECT_EQ(mManager->MakeSoundInstance(1), nullptr);
}

TEST_F(DSoundManagerTest, StopAllSoundsLetsTheNextSweepReclaimAutoReleaseSlots) {
    Give(1, {1, 2, 3, 4});
    (void)mManager->MakeSoundInstance(1); // the first search sweeps and sets the sweep time
    mManager->ReleaseInstances();
    for (int i = 0; i < 32; ++i) {
        SoundInstance* instance = mManager->MakeSoundInstance(1);
        ASSERT_NE(instance, nullptr);
        ASSERT_TRUE(instance->Play(true, i % 2 == 0));
    }
    mManager->StopAllSounds();
    mClock.Advance(1001);
    SoundInstance* first = mManager->MakeSoundInstance(1);
    ASSERT_NE(first, nullptr);
    int made = 1;
    while (mManager->MakeSoundInstance(1) != nullptr) {
        ++made;
    }
    EXPECT_EQ(made, 16); // the 16 auto-release instances were reclaimed, the others stay
}

TEST_F(DSoundManagerTest, AnInstanceThatCannotBeMadeEndsTheProgram) {
    Give(1, {1, 2});
    mAudio.mDuplicateResult = Platform::SoundResult::OutOfMemory;
    Vuro::Test::ExitTrap trap;
    try {
        (void)mManager->MakeSoundInstance(1);
        FAIL() << "the program went on";
    } catch (const Vuro::Test::ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text, "DSERR_OUTOFMEMORY");
    EXPECT_EQ(mWindows.mBoxes[0].title, "Hey");
}

TEST_F(DSoundManagerTest, MasterVolumeIsTheWaveOutVolume) {
    mManager->SetMasterVolume(0.5);
    EXPECT_EQ(mAudio.GetWaveOutVolume(), 32767u);
    EXPECT_DOUBLE_EQ(mManager->GetMasterVolume(), 32767.0 / 65535.0);
    mManager->SetMasterVolume(2.0);
    EXPECT_EQ(mAudio.GetWaveOutVolume(), 65535u);
}

TEST_F(DSoundManagerTest, SoundWindowSetsTheNormalLevel) {
    auto* device = static_cast<Platform::MixerSoundDevice*>(mManager->Device());
    EXPECT_EQ(device->CooperativeLevel(), Platform::kCoopPriority);
    mManager->SetSoundWindow(mWindow.get(), 0);
    EXPECT_EQ(device->CooperativeLevel(), Platform::kCoopNormal);
}

} // namespace
} // namespace Vuro
