#pragma once
// The fixed tables of the stage map: where the level points of each mode stand, where a click
// selects each stage, where the map draws each stage's highlight, name and lock, what stages 2
// to 6 cost in each difficulty, and the message a play board leaves for the map's next visit.
//
// The asset tool paints the map from the same tables: each stage's land lies where a click
// selects it, the road joins the story points, and each highlight is cut out of the land where
// the map draws it.
//
// Stage s (2..6) is opened by the record's stageUnlocked flag s - 2; survival level k (1..5)
// is reachable while story stage k + 1 is opened.

#include "game/rules/Stages.h"

#include <array>
#include <cassert>

namespace Vuro {

struct PointPlace {
    int mX;
    int mY;
};

// The top-left corners of the 20 x 20 boxes of story points 0..42, in level order (the road
// runs through them in this order), by stage.
inline constexpr std::array<PointPlace, kStoryLevelCount> kStoryPoints = {{
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
}};

// Survival points 0..5.
inline constexpr std::array<PointPlace, kSurvivalLevelCount> kSurvivalPoints = {{
    {207, 411},
    {230, 315},
    {119, 220},
    {280, 116},
    {500, 165},
    {336, 239},
}};

// A click region: a rectangle, edges included, that selects its stage (1..6).
struct StageRegion {
    int mStage;
    int mLeft;
    int mTop;
    int mRight;
    int mBottom;
};

// In the order the map tests them: the first that holds a point names its stage.
inline constexpr StageRegion kStageRegions[] = {
    {3, 107, 135, 184, 152}, {4, 219, 45, 340, 152},  {4, 185, 86, 440, 152},
    {5, 440, 60, 571, 152},  {3, 16, 153, 203, 266},  {6, 204, 175, 448, 266},
    {6, 319, 153, 380, 175}, {4, 204, 153, 318, 175}, {4, 381, 153, 426, 175},
    {5, 405, 153, 635, 266}, {1, 115, 370, 275, 465}, {2, 186, 267, 240, 282},
    {2, 174, 282, 305, 310}, {2, 160, 310, 380, 370}, {2, 343, 370, 433, 424},
    {3, 54, 267, 196, 311},  {3, 98, 311, 196, 343},  {6, 224, 267, 408, 315},
    {5, 494, 267, 555, 284},
};

// The stage 1..6 whose region holds a point of the map; 0 outside every region.
constexpr int StageRegionAt(int x, int y) {
    for (const StageRegion& r : kStageRegions) {
        if (x >= r.mLeft && x <= r.mRight && y >= r.mTop && y <= r.mBottom) {
            return r.mStage;
        }
    }
    return 0;
}

// Where the map draws the hovered stage's highlight picture (its top-left corner) and the x of
// its name.
struct StageLook {
    int mHighlightX;
    int mHighlightY;
    int mNameX;
};
inline constexpr std::array<StageLook, kStageCount> kStageLooks = {{
    {118, 367, 449},
    {155, 264, 464},
    {16, 138, 454},
    {177, 46, 454},
    {423, 61, 441},
    {197, 154, 464},
}};

// Where the map draws the lock of stages 2..6.
inline constexpr std::array<PointPlace, kStageCount - 1> kStageLocks = {{
    {215, 295},
    {102, 200},
    {265, 90},
    {490, 145},
    {325, 215},
}};

struct StagePrices {
    int mNormal;
    int mEasy;
    int mEasyTaken; // what buying it in easy mode takes from the balance
};
// Stages 2..6. Easy stage 4 asks 12000 but takes only 10000 from the balance.
inline constexpr std::array<StagePrices, kStageCount - 1> kStagePrices = {{
    {6500, 4000, 4000},
    {10000, 8000, 8000},
    {14000, 12000, 10000},
    {18000, 14000, 14000},
    {25000, 18000, 18000},
}};

constexpr const StagePrices& PricesOf(int stage) {
    assert(stage >= 2 && stage <= kStageCount && "only stages 2..6 have a price");
    return kStagePrices[stage - 2];
}

// The price of stage 2..6 that the map shows and that a purchase needs.
constexpr int StagePrice(int stage, bool easy) {
    return easy ? PricesOf(stage).mEasy : PricesOf(stage).mNormal;
}

// What buying stage 2..6 takes from the balance.
constexpr int StagePriceTaken(int stage, bool easy) {
    return easy ? PricesOf(stage).mEasyTaken : PricesOf(stage).mNormal;
}

// What a play board leaves in GameApp::mMapMessage for the map's next visit.
namespace MapMessage {
inline constexpr int kNone = 0;
inline constexpr int kSurvivalAdvanced = 1;     // the next survival level opened
inline constexpr int kSurvivalWaiting = 2;      // none opened: the next waits for its stage
inline constexpr int kDifficultyQuestion = 333; // a level lost in hard mode: offer easy mode
} // namespace MapMessage

} // namespace Vuro
