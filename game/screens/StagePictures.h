#pragma once
// The scenery of the six stages: each stage's theme, whose picture is its background, and the
// stage pictures its levels reach. The image set loads them and the asset tool paints every
// one of them.

#include "game/rules/Stages.h"

#include <array>
#include <string>

namespace Vuro {

// Theme names of stages 1..6; the stage background is "images/<theme>".
inline constexpr std::array<const char*, kStageCount> kStageThemes = {
    "granny", "lake", "forest", "castle", "mountain", "city"};

// A stage picture: from level mFirstLevel on, the levels of the stage show picture
// "images/<theme>_<mNumber>" in slot mSlot.
struct GameStagePicture {
    int mStage; // 1..6
    int mFirstLevel;
    int mNumber;
    int mSlot; // 0..5
};

// In the order a stage's levels reach them.
inline constexpr GameStagePicture kStagePictures[] = {
    {1, 2, 1, 0},  {1, 3, 2, 1},  {1, 4, 3, 2},  {1, 5, 4, 3},  {2, 8, 4, 2},  {2, 9, 1, 5},
    {2, 10, 3, 1}, {2, 12, 2, 0}, {3, 15, 1, 5}, {3, 16, 4, 2}, {3, 17, 3, 3}, {3, 18, 2, 4},
    {3, 19, 5, 1}, {4, 23, 1, 5}, {4, 24, 2, 1}, {4, 25, 3, 2}, {4, 26, 4, 4}, {4, 27, 5, 3},
    {5, 29, 1, 4}, {5, 30, 2, 5}, {5, 31, 3, 1}, {5, 32, 4, 2}, {6, 37, 5, 3}, {6, 38, 1, 0},
    {6, 39, 2, 1}, {6, 40, 4, 2}, {6, 41, 3, 4},
};

// "<theme>_<number>": the picture's file under images/, and the name its failure text gives.
inline std::string StagePictureName(const GameStagePicture& picture) {
    return std::string(kStageThemes[picture.mStage - 1]) + "_" + std::to_string(picture.mNumber);
}

} // namespace Vuro
