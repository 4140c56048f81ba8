#pragma once
// The fixed tables of the stage map: where the level points of each mode stand, which story
// levels form each of the six stages, and what stages 2 to 6 cost in each difficulty.
//
// Stage s (2..6) is opened by the record's stageUnlocked flag s - 2; survival level k (1..5)
// is reachable while story stage k + 1 is opened.

#include <span>

namespace Vuro {

struct PointPlace {
    int mX;
    int mY;
};

inline constexpr int kStageCount = 6;
inline constexpr int kStoryPointCount = 43;
inline constexpr int kSurvivalPointCount = 6;
inline constexpr int kLastStoryPoint = kStoryPointCount - 1;
inline constexpr int kLastSurvivalPoint = kSurvivalPointCount - 1;

// The places of points 0..N-1 of a mode.
std::span<const PointPlace> StoryPointPlaces();
std::span<const PointPlace> SurvivalPointPlaces();

// First and last story level (map numbering, from 0) of stage 1..6.
int StageFirstLevel(int stage);
int StageLastLevel(int stage);

// The price of stage 2..6 that the map shows and that a purchase needs.
int StagePrice(int stage, bool easy);
// What buying stage 2..6 takes from the balance: the shown price, except easy stage 4, which
// has always taken 10000 of the 12000 it asks.
int StagePriceTaken(int stage, bool easy);

} // namespace Vuro
