// The stage map's tables against the story's stages: a click on a level point or a lock is
// taken by the region of that level's stage, so the map's regions, its points and locks and
// the stages' level ranges agree.

#include "game/screens/StageTables.h"
#include "game/screens/LevelPoint.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

constexpr int kHalfPoint = LevelPoint::kSize / 2;

TEST(StageTables, EveryPointAndLockLiesInTheRegionOfItsStage) {
    for (int index = 0; index <= kLastStoryIndex; ++index) {
        const PointPlace& point = kStoryPoints[index];
        EXPECT_EQ(StageRegionAt(point.mX + kHalfPoint, point.mY + kHalfPoint),
                  StageOfLevel(index + 1))
            << "story point " << index;
    }
    // Survival level k + 1 lies in the land of story stage k + 1.
    for (int index = 0; index <= kLastSurvivalIndex; ++index) {
        const PointPlace& point = kSurvivalPoints[index];
        EXPECT_EQ(StageRegionAt(point.mX + kHalfPoint, point.mY + kHalfPoint), index + 1)
            << "survival point " << index;
    }
    for (int stage = 2; stage <= kStageCount; ++stage) {
        const PointPlace& lock = kStageLocks[stage - 2];
        EXPECT_EQ(StageRegionAt(lock.mX, lock.mY), stage) << "lock of stage " << stage;
    }
}

} // namespace
} // namespace Vuro
