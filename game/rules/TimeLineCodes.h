#pragma once
// The codes of a level's time line: what the level files list at each second, as the asset
// tool writes them and the play field acts on them. A code without a meaning does nothing.

namespace Vuro::TimeLineCode {

inline constexpr int kTimeUp = 0;
inline constexpr int kFirstFruit = 1; // 1..4 grow a fruit of that kind
inline constexpr int kLastFruit = 4;
inline constexpr int kRain = 5;
inline constexpr int kHedgehog = 6;
inline constexpr int kFirstBird = 7;             // a bird of kind 0..3 is code 7..10
inline constexpr int kKamikaze = kFirstBird + 3; // the kamikaze bird, with its siren
inline constexpr int kBanner = 15;               // the level's banner; in survival a wave's
inline constexpr int kReadySound = 16;           // the ripening sound alone
inline constexpr int kFirstTip = 100;            // a help tip: the code is its text's number
inline constexpr int kLastTip = 599;             // the map's message files follow

} // namespace Vuro::TimeLineCode
