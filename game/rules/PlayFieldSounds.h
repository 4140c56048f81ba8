#pragma once
// The sample, song and cursor numbers the play field asks its host for; the game application
// loads the sounds under these ids.

namespace Vuro::FieldSound {

// Samples.
constexpr int kCashRegister = 5; // the coin bonus
constexpr int kCrow = 6;         // a stone strikes a bird
constexpr int kShot = 7;         // the slingshot fires
constexpr int kReady = 8;        // a fruit ripens; time-line code 16
constexpr int kDrop = 9;         // a fruit lands
constexpr int kRot = 10;         // a fruit begins to rot
constexpr int kThunder = 12;     // the lightning bonus
constexpr int kTake = 13;        // a fruit picked or collected
constexpr int kTakeBonus = 14;   // a bonus item clicked
constexpr int kGold = 15;        // a golden fruit ripens
constexpr int kCombo = 16;       // three of a kind, all four kinds
constexpr int kSiren = 19;       // the kamikaze bird comes
constexpr int kReload = 20;      // the double-shot bonus
constexpr int kSpray = 21;       // the smoke bonus
constexpr int kMoneyBack = 22;   // a pest costs or gives points
constexpr int kMagicShot = 24;   // the broom and autocar bonuses
constexpr int kComboFive = 26;
constexpr int kComboTen = 27;
constexpr int kFrog = 28; // the frog of levels 11..13

// Songs.
constexpr int kClockSong = 10; // the stop phase
constexpr int kBroomSong = 11;
constexpr int kRainSong = 12;

// Cursors.
constexpr int kAimCursor = 3;
constexpr int kSlingshotCursor = 4;

} // namespace Vuro::FieldSound
