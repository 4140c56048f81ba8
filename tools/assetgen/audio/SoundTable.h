#pragma once
// Every sound the data set holds: the game's effects and songs (game/rules/GameSounds.h), each
// made under the name the game loads it by, beside the program, and the system sounds the
// framework plays by file name. The data set's tests load each entry through the framework.

#include "game/rules/GameSounds.h"

#include <array>
#include <iterator>
#include <vector>

namespace Vuro::AssetGen {

// The game's effects and songs, in the order it loads them.
inline std::vector<GameSoundFile> GameEffects() {
    std::vector<GameSoundFile> effects{kClickSound};
    effects.insert(effects.end(), std::begin(kGameSoundEffects), std::end(kGameSoundEffects));
    return effects;
}

inline std::vector<GameSong> GameSongs() {
    std::vector<GameSong> songs(std::begin(kStartMusic), std::end(kStartMusic));
    songs.insert(songs.end(), std::begin(kGameMusic), std::end(kGameMusic));
    return songs;
}

// The system sounds the framework plays by file name from the system's media folder, which is
// the data set's media/ folder: each made from its recipe under assets/sounds/, as a WAVE file.
struct SystemSoundEntry {
    const char* mRecipe;
    const char* mFile;
};

inline constexpr std::array<SystemSoundEntry, 1> kSystemSounds = {{
    {"menucommand", "media/Windows XP Menu Command.wav"},
}};

} // namespace Vuro::AssetGen
