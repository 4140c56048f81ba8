#pragma once
// The stages of the story: which story levels form each of the six stages. The game (the play
// field's ambient animation, the stage pictures, the story's progress, the stage map) and the
// asset tool (the level rules, the map's land) all read these.
//
// Story levels are numbered 1..43, as their files are; the player's record and the stage map
// number them from 0 (index = level - 1). Survival levels are 1..6.

#include <array>

namespace Vuro {

inline constexpr int kStageCount = 6;
inline constexpr int kStoryLevelCount = 43;
inline constexpr int kSurvivalLevelCount = 6;
inline constexpr int kLastStoryIndex = kStoryLevelCount - 1;
inline constexpr int kLastSurvivalIndex = kSurvivalLevelCount - 1;

// The first story level of stages 1..6; each stage ends where the next begins, the last with
// the last level.
inline constexpr std::array<int, kStageCount> kStageFirstLevels = {1, 7, 14, 22, 28, 36};

constexpr int StageFirstLevel(int stage) {
    return kStageFirstLevels[stage - 1];
}

constexpr int StageLastLevel(int stage) {
    return stage == kStageCount ? kStoryLevelCount : kStageFirstLevels[stage] - 1;
}

// The stage (1..6) of a story level: a level below the first counts as the first stage's, one
// above the last is in no stage (0).
constexpr int StageOfLevel(int level) {
    if (level > kStoryLevelCount) {
        return 0;
    }
    int stage = 1;
    while (stage < kStageCount && level >= StageFirstLevel(stage + 1)) {
        ++stage;
    }
    return stage;
}

// The same stages in the record's and the map's numbering from 0.
constexpr int StageFirstIndex(int stage) {
    return StageFirstLevel(stage) - 1;
}

constexpr int StageLastIndex(int stage) {
    return StageLastLevel(stage) - 1;
}

} // namespace Vuro
