// What the game loads for every screen: the help texts, the sound effects and music, and the
// score tables.

#include "game/core/GameApp.h"

#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/XMLParser.h"
#include "game/core/GameSounds.h"

#include <algorithm>
#include <cctype>

namespace Vuro {

namespace {

constexpr const char* kHelpTextFile = "local/1.xml";
constexpr const char* kHelpTextSection = "HelpText";
constexpr const char* kHelpTextPrefix = "Text";

// N of an element named "Text<N>"; 0 when the name is not of that form.
int HelpTextNumber(const std::string& name) {
    std::string prefix = kHelpTextPrefix;
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 ||
        name.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return 0;
    }
    return std::stoi(digits);
}

} // namespace

bool GameApp::LoadHelpTexts() {
    XMLParser parser;
    if (!parser.OpenFile(kHelpTextFile)) {
        return false;
    }
    // A parse error ends the reading like the end of the file; what was read stays.
    XMLNode node;
    while (parser.ReadElement(&node)) {
        if (node.mKind != XMLNodeKind::Start || node.mSection != kHelpTextSection) {
            continue;
        }
        int number = HelpTextNumber(node.mValue);
        if (number >= 1 && number <= kHelpTextCount) {
            auto value = node.mAttributes.find("value");
            mHelpTexts[number - 1] = value != node.mAttributes.end() ? value->second : "";
        }
    }
    return true;
}

void GameApp::LoadSounds() {
    if (mSoundsLoaded) {
        return;
    }
    for (const GameSoundFile& sound : kGameSoundEffects) {
        if (!mSoundManager->LoadSoundAt(sound.mId, sound.mFile)) {
            // The main thread shuts down at its next frame pass, so no finish attaches anything
            // while the boxes are up. Mended: the message named "sounds/", not the real folder.
            mShutdownRequested = true;
            Popup(std::string("There was an error loading ") + sound.mFile);
            return;
        }
    }
    for (const GameSoundFile& song : kGameMusic) {
        (void)mMusicInterface->LoadMusic(song.mId, song.mFile);
    }
    mSoundsLoaded = true;
}

bool GameApp::InitScores() {
    return InitScoreTables(mScoreTables);
}

} // namespace Vuro
