#include "game/screens/StageTables.h"

#include <cassert>

namespace Vuro {

namespace {

constexpr PointPlace kStoryPoints[kStoryPointCount] = {
    // Stage 1
    {120, 400},
    {160, 414},
    {194, 415},
    {210, 433},
    {225, 400},
    {208, 377},
    // Stage 2
    {397, 392},
    {360, 365},
    {330, 330},
    {285, 319},
    {238, 335},
    {190, 324},
    {206, 298},
    // Stage 3
    {137, 293},
    {85, 273},
    {49, 235},
    {56, 184},
    {103, 168},
    {114, 216},
    {159, 231},
    {177, 176},
    // Stage 4
    {203, 138},
    {239, 109},
    {265, 137},
    {308, 111},
    {357, 130},
    {414, 116},
    // Stage 5
    {467, 113},
    {520, 105},
    {544, 144},
    {580, 201},
    {554, 241},
    {496, 233},
    {506, 186},
    {460, 172},
    // Stage 6
    {420, 213},
    {378, 247},
    {325, 268},
    {268, 245},
    {240, 208},
    {300, 184},
    {360, 190},
    {335, 237},
};

constexpr PointPlace kSurvivalPoints[kSurvivalPointCount] = {
    {207, 411}, {230, 315}, {119, 220}, {280, 116}, {500, 165}, {336, 239},
};

constexpr int kFirstLevels[kStageCount] = {0, 6, 13, 21, 27, 35};

struct Price {
    int mNormal;
    int mEasy;
    int mEasyTaken;
};
// Stages 2..6.
constexpr Price kPrices[kStageCount - 1] = {
    {6500, 4000, 4000},    {10000, 8000, 8000},   {14000, 12000, 10000},
    {18000, 14000, 14000}, {25000, 18000, 18000},
};

const Price& PriceOf(int stage) {
    assert(stage >= 2 && stage <= kStageCount && "only stages 2..6 have a price");
    return kPrices[stage - 2];
}

} // namespace

std::span<const PointPlace> StoryPointPlaces() {
    return kStoryPoints;
}

std::span<const PointPlace> SurvivalPointPlaces() {
    return kSurvivalPoints;
}

int StageFirstLevel(int stage) {
    assert(stage >= 1 && stage <= kStageCount && "stages are 1..6");
    return kFirstLevels[stage - 1];
}

int StageLastLevel(int stage) {
    assert(stage >= 1 && stage <= kStageCount && "stages are 1..6");
    return stage == kStageCount ? kLastStoryPoint : kFirstLevels[stage] - 1;
}

int StagePrice(int stage, bool easy) {
    return easy ? PriceOf(stage).mEasy : PriceOf(stage).mNormal;
}

int StagePriceTaken(int stage, bool easy) {
    return easy ? PriceOf(stage).mEasyTaken : PriceOf(stage).mNormal;
}

} // namespace Vuro
