// What the game loads for every screen: the help texts, the sound effects and music, and the
// score tables.

#include "game/app/GameApp.h"

#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/LocalTexts.h"

namespace Vuro {

namespace {
constexpr const char* kHelpTextFile = "local/1.xml";
} // namespace

bool GameApp::LoadHelpTexts() {
    return ReadLocalTexts(kHelpTextFile, mHelpTexts, kHelpTextCount);
}

void GameApp::LoadSounds() {
    if (mSoundsLoaded) {
        return;
    }
    // A quit asked meanwhile stops the work between two files (decoding the music takes
    // seconds), so the program can end without waiting for the rest.
    for (const GameSoundFile& sound : kGameSoundEffects) {
        if (ShutdownAsked()) {
            return;
        }
        if (!mSoundManager->LoadSoundAt(sound.mId, sound.mFile)) {
            // The main thread shuts down at its next frame pass, so no finish attaches anything
            // while the boxes are up. The message names the file by its path in the data set.
            mShutdownRequested = true;
            Popup(std::string("There was an error loading ") + sound.mFile);
            return;
        }
    }
    for (const GameSong& song : kGameMusic) {
        if (ShutdownAsked()) {
            return;
        }
        (void)mMusicInterface->LoadMusic(song.mId, song.mFile);
    }
    mSoundsLoaded = true;
}

bool GameApp::InitScores() {
    return InitScoreTables(mScoreTables);
}

} // namespace Vuro
