#pragma once
// The game's sound effects and music: the ids the screens play them by and the files they are
// loaded from, in loading order. Effects are named without extension (the sound manager tries
// its extensions); songs with theirs. Checks of the data set read these tables.

namespace Vuro {

struct GameSoundFile {
    int mId;
    const char* mFile;
};

// Loaded by InitGame: the click of every button, and the menu and intro music.
inline constexpr GameSoundFile kClickSound{2, "sound/pclick"};
inline constexpr GameSoundFile kStartMusic[] = {
    {1, "sound/menu.ogg"},
    {13, "sound/intro.ogg"},
};

// Loaded by LoadSounds, effects first. Ids 11, 18 and 25 are not used.
inline constexpr GameSoundFile kGameSoundEffects[] = {
    {1, "sound/error"},      {3, "sound/checkbox"}, {4, "sound/key"},        {5, "sound/cashreg"},
    {6, "sound/crow"},       {7, "sound/shot"},     {8, "sound/ready"},      {9, "sound/drop"},
    {10, "sound/rot"},       {12, "sound/thunder"}, {13, "sound/take"},      {14, "sound/take2"},
    {15, "sound/gold"},      {16, "sound/combo"},   {26, "sound/combo2"},    {27, "sound/combo3"},
    {17, "sound/nbeep"},     {19, "sound/siren"},   {20, "sound/reload"},    {21, "sound/spray"},
    {22, "sound/moneyback"}, {23, "sound/popup"},   {24, "sound/magicshot"}, {28, "sound/frog"},
};
inline constexpr GameSoundFile kGameMusic[] = {
    {10, "sound/clock.ogg"},   {11, "sound/broom.ogg"},    {12, "sound/rain.ogg"},
    {2, "sound/gameover.ogg"}, {3, "sound/completed.ogg"}, {4, "sound/granny.ogg"},
    {5, "sound/harmonic.ogg"}, {6, "sound/forest.ogg"},    {7, "sound/statistic.ogg"},
};

// Song ids of the screen switch.
inline constexpr int kMenuSong = 1;
inline constexpr int kFirstLevelSong = 4; // a level plays one of 4, 5 and 6 at random
inline constexpr int kLevelSongCount = 3;

} // namespace Vuro
