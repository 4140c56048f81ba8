// Samples, volumes and mute counts: what the sound manager and the music interface are sent.

#include "TestApp.h"

#include "support/RecordingSoundManager.h"

namespace Vuro::Test {
namespace {

class SoundAndVolumeTest : public AppFixture {
protected:
    SoundAndVolumeTest() {
        // The application owns and deletes both.
        mApp.mSoundManager = mSound = new RecordingSoundManager();
        mApp.mMusicInterface = mMusic = new RecordingMusicInterface();
    }

    RecordingSoundManager* mSound;
    RecordingMusicInterface* mMusic;
};

TEST_F(SoundAndVolumeTest, ASampleIsPlayedOnceAndReleasesItself) {
    ASSERT_TRUE(mSound->LoadSoundAt(12, "click"));
    mApp.PlaySample(12);
    mApp.PlaySampleAt(12, -2500);
    mApp.PlaySample(13); // nothing loaded there

    ASSERT_EQ(mSound->mInstances.size(), 2u);
    const RecordingSoundInstance& plain = *mSound->mInstances[0];
    EXPECT_EQ(plain.mId, 12u);
    EXPECT_EQ(plain.mPlays, 1);
    EXPECT_FALSE(plain.mLooping);
    EXPECT_TRUE(plain.mAutoRelease);
    EXPECT_EQ(plain.mPan, 0);
    const RecordingSoundInstance& panned = *mSound->mInstances[1];
    EXPECT_EQ(panned.mPan, -2500);
    EXPECT_TRUE(panned.mPanSetBeforePlay);
    EXPECT_EQ(panned.mPlays, 1);
    EXPECT_TRUE(panned.mAutoRelease);
    EXPECT_EQ(mSound->mInstancesAsked, 3);
}

TEST_F(SoundAndVolumeTest, WithoutASoundManagerNothingIsPlayed) {
    delete mApp.mSoundManager;
    mApp.mSoundManager = nullptr;
    mApp.PlaySample(1);
    mApp.PlaySampleAt(1, 100);
    mApp.SetSfxVolume(0.5);
    EXPECT_EQ(mApp.GetSfxVolume(), 0.5);
    EXPECT_EQ(mApp.GetMasterVolume(), 0.0);
}

TEST_F(SoundAndVolumeTest, AMutedVolumeIsSentAsZeroAndTheUsersVolumeIsKept) {
    mApp.SetMusicVolume(0.5);
    mApp.SetSfxVolume(0.25);
    EXPECT_EQ(mMusic->LastVolume(), 0.5);
    EXPECT_EQ(mSound->LastVolume(), 0.25);
    EXPECT_FALSE(mApp.IsMuted());

    mApp.Mute(false);
    EXPECT_TRUE(mApp.IsMuted());
    EXPECT_EQ(mMusic->LastVolume(), 0.0);
    EXPECT_EQ(mSound->LastVolume(), 0.0);
    mApp.SetSfxVolume(0.75);
    EXPECT_EQ(mSound->LastVolume(), 0.0) << "still muted";
    EXPECT_EQ(mApp.GetSfxVolume(), 0.75);
    EXPECT_EQ(mApp.GetMusicVolume(), 0.5);

    mApp.Unmute(false);
    EXPECT_FALSE(mApp.IsMuted());
    EXPECT_EQ(mMusic->LastVolume(), 0.5);
    EXPECT_EQ(mSound->LastVolume(), 0.75);
}

TEST_F(SoundAndVolumeTest, MutesNestAndAutomaticOnesAreCountedApart) {
    mApp.Mute(true);
    mApp.Mute(true);
    mApp.Unmute(true);
    EXPECT_TRUE(mApp.IsMuted()) << "two mutes need two unmutes";
    EXPECT_EQ(mApp.mMuteCount, 1);
    EXPECT_EQ(mApp.mAutoMuteCount, 1);
    EXPECT_EQ(mMusic->LastVolume(), 0.0);

    mApp.Mute(false);
    EXPECT_EQ(mApp.mMuteCount, 2);
    EXPECT_EQ(mApp.mAutoMuteCount, 1);
    mApp.Unmute(true);
    mApp.Unmute(false);
    EXPECT_FALSE(mApp.IsMuted());
    EXPECT_EQ(mApp.mAutoMuteCount, 0);
    EXPECT_EQ(mMusic->LastVolume(), 0.85);
    EXPECT_EQ(mSound->LastVolume(), 0.85);

    mApp.Unmute(true);
    EXPECT_EQ(mApp.mMuteCount, 0) << "an unmute too many changes no count";
    EXPECT_EQ(mApp.mAutoMuteCount, 0);
    EXPECT_EQ(mSound->LastVolume(), 0.85) << "but the volumes are sent again";
}

TEST_F(SoundAndVolumeTest, TheMasterVolumeIsTheManagersAndIsKeptAsTheEffectsVolume) {
    mApp.SetMasterVolume(0.4);
    EXPECT_EQ(mSound->mMasterVolume, 0.4);
    EXPECT_EQ(mApp.GetMasterVolume(), 0.4);
    EXPECT_EQ(mApp.GetSfxVolume(), 0.4);
    mSound->mMasterVolume = 0.9; // changed outside the program
    EXPECT_EQ(mApp.GetMasterVolume(), 0.9);

    mApp.Mute(false);
    EXPECT_EQ(mSound->LastVolume(), 0.0);
    mApp.Unmute(false);
    EXPECT_EQ(mSound->LastVolume(), 0.4) << "what the master volume stored";
}

TEST_F(SoundAndVolumeTest, InitSendsTheStoredVolumesToTheManagerItWasGiven) {
    // Init keeps a sound manager made before it and makes the music interface itself.
    mApp.mMusicVolume = 0.3;
    mApp.mSfxVolume = 0.6;
    mApp.Mute(false);
    mSound->mVolumes.clear();
    delete mApp.mMusicInterface;
    mApp.mMusicInterface = nullptr;
    mApp.Init();
    EXPECT_EQ(mApp.mSoundManager, mSound);
    EXPECT_EQ(mSound->mVolumes, std::vector<double>{0.0});
    mApp.Unmute(false);
    EXPECT_EQ(mSound->LastVolume(), 0.6);
    EXPECT_EQ(mApp.GetMusicVolume(), 0.3);
}

} // namespace
} // namespace Vuro::Test
