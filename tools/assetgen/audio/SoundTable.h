#pragma once
// Every sound effect and song the game loads: the id it plays it by and the name it loads it
// under, beside the program. The asset tool makes one file for each entry and nothing else;
// the data set's tests load each entry through the framework.

#include <array>

namespace Vuro::AssetGen {

struct EffectEntry {
    int mId;
    const char* mName; // without extension: the sound manager tries .wav, .ogg, .au
};

struct SongEntry {
    int mId;
    const char* mFile;
    bool mLoops; // the game plays it looping; a one-shot song ends in silence instead
};

// The click is loaded at start-up, the others by the menu's loading work, in this order.
inline constexpr std::array<EffectEntry, 25> kGameEffects = {{
    {2, "sound/pclick"},  {1, "sound/error"},      {3, "sound/checkbox"}, {4, "sound/key"},
    {5, "sound/cashreg"}, {6, "sound/crow"},       {7, "sound/shot"},     {8, "sound/ready"},
    {9, "sound/drop"},    {10, "sound/rot"},       {12, "sound/thunder"}, {13, "sound/take"},
    {14, "sound/take2"},  {15, "sound/gold"},      {16, "sound/combo"},   {26, "sound/combo2"},
    {27, "sound/combo3"}, {17, "sound/nbeep"},     {19, "sound/siren"},   {20, "sound/reload"},
    {21, "sound/spray"},  {22, "sound/moneyback"}, {23, "sound/popup"},   {24, "sound/magicshot"},
    {28, "sound/frog"},
}};

// The system sounds the framework plays by file name from the system's media folder, which is
// the data set's media/ folder: each made from its recipe under assets/sounds/, as a WAVE file.
struct SystemSoundEntry {
    const char* mRecipe;
    const char* mFile;
};

inline constexpr std::array<SystemSoundEntry, 1> kSystemSounds = {{
    {"menucommand", "media/Windows XP Menu Command.wav"},
}};

// The menu and intro songs are loaded at start-up, the others by the menu's loading work.
inline constexpr std::array<SongEntry, 11> kGameSongs = {{
    {1, "sound/menu.ogg", true},
    {13, "sound/intro.ogg", false},
    {10, "sound/clock.ogg", true},
    {11, "sound/broom.ogg", true},
    {12, "sound/rain.ogg", true},
    {2, "sound/gameover.ogg", false},
    {3, "sound/completed.ogg", false},
    {4, "sound/granny.ogg", true},
    {5, "sound/harmonic.ogg", true},
    {6, "sound/forest.ogg", true},
    {7, "sound/statistic.ogg", true},
}};

} // namespace Vuro::AssetGen
