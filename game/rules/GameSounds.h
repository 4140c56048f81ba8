#pragma once
// The game's sound effects and songs: the ids the screens and the play field play them by, and
// the files they are loaded from, in loading order. Effects are named without extension (the
// sound manager tries its extensions); songs with theirs. The asset tool makes one file for
// each entry and nothing else.

namespace Vuro {

namespace SampleId {
inline constexpr int kMessage = 1;      // a message or a refusal
inline constexpr int kClick = 2;        // every button
inline constexpr int kToggle = 3;       // an option switched
inline constexpr int kKey = 4;          // a key typed into a dialog
inline constexpr int kCashRegister = 5; // the coin bonus; a stage bought
inline constexpr int kCrow = 6;         // a stone strikes a bird
inline constexpr int kShot = 7;         // the slingshot fires
inline constexpr int kReady = 8;        // a fruit ripens; time-line code 16
inline constexpr int kDrop = 9;         // a fruit lands
inline constexpr int kRot = 10;         // a fruit begins to rot
inline constexpr int kThunder = 12;     // the lightning bonus
inline constexpr int kTake = 13;        // a fruit picked or collected
inline constexpr int kTakeBonus = 14;   // a bonus item clicked
inline constexpr int kGold = 15;        // a golden fruit ripens
inline constexpr int kCombo = 16;       // three of a kind, all four kinds
inline constexpr int kSelect = 17;      // a level chosen on the stage map
inline constexpr int kSiren = 19;       // the kamikaze bird comes
inline constexpr int kReload = 20;      // the double-shot bonus
inline constexpr int kSpray = 21;       // the smoke bonus
inline constexpr int kMoneyBack = 22;   // a pest costs or gives points
inline constexpr int kQuestion = 23;    // a question, the help panel
inline constexpr int kMagicShot = 24;   // the broom and autocar bonuses
inline constexpr int kComboFive = 26;
inline constexpr int kComboTen = 27;
inline constexpr int kFrog = 28; // the frog of levels 11..13
} // namespace SampleId

namespace SongId {
inline constexpr int kMenu = 1;
inline constexpr int kGameOver = 2;
inline constexpr int kCompleted = 3;
inline constexpr int kFirstLevel = 4; // a level plays one of 4, 5 and 6 at random
inline constexpr int kLevelCount = 3;
inline constexpr int kStatistics = 7;
inline constexpr int kClock = 10; // the play field's stop phase
inline constexpr int kBroom = 11;
inline constexpr int kRain = 12;
inline constexpr int kIntro = 13;
} // namespace SongId

struct GameSoundFile {
    int mId;
    const char* mFile;
};

struct GameSong {
    int mId;
    const char* mFile;
    bool mLoops; // made to loop; a one-shot song ends in silence instead
};

// Loaded by InitGame: the click of every button, and the menu and intro music.
inline constexpr GameSoundFile kClickSound{SampleId::kClick, "sound/pclick"};
inline constexpr GameSong kStartMusic[] = {
    {SongId::kMenu, "sound/menu.ogg", true},
    {SongId::kIntro, "sound/intro.ogg", false},
};

// Loaded by LoadSounds, effects first. Ids 11, 18 and 25 are not used.
inline constexpr GameSoundFile kGameSoundEffects[] = {
    {SampleId::kMessage, "sound/error"},
    {SampleId::kToggle, "sound/checkbox"},
    {SampleId::kKey, "sound/key"},
    {SampleId::kCashRegister, "sound/cashreg"},
    {SampleId::kCrow, "sound/crow"},
    {SampleId::kShot, "sound/shot"},
    {SampleId::kReady, "sound/ready"},
    {SampleId::kDrop, "sound/drop"},
    {SampleId::kRot, "sound/rot"},
    {SampleId::kThunder, "sound/thunder"},
    {SampleId::kTake, "sound/take"},
    {SampleId::kTakeBonus, "sound/take2"},
    {SampleId::kGold, "sound/gold"},
    {SampleId::kCombo, "sound/combo"},
    {SampleId::kComboFive, "sound/combo2"},
    {SampleId::kComboTen, "sound/combo3"},
    {SampleId::kSelect, "sound/nbeep"},
    {SampleId::kSiren, "sound/siren"},
    {SampleId::kReload, "sound/reload"},
    {SampleId::kSpray, "sound/spray"},
    {SampleId::kMoneyBack, "sound/moneyback"},
    {SampleId::kQuestion, "sound/popup"},
    {SampleId::kMagicShot, "sound/magicshot"},
    {SampleId::kFrog, "sound/frog"},
};
inline constexpr GameSong kGameMusic[] = {
    {SongId::kClock, "sound/clock.ogg", true},
    {SongId::kBroom, "sound/broom.ogg", true},
    {SongId::kRain, "sound/rain.ogg", true},
    {SongId::kGameOver, "sound/gameover.ogg", false},
    {SongId::kCompleted, "sound/completed.ogg", false},
    {SongId::kFirstLevel, "sound/granny.ogg", true},
    {SongId::kFirstLevel + 1, "sound/harmonic.ogg", true},
    {SongId::kFirstLevel + 2, "sound/forest.ogg", true},
    {SongId::kStatistics, "sound/statistic.ogg", true},
};

} // namespace Vuro
