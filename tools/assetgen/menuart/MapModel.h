#pragma once
// The land of the stage map worked out once from the map screen's layout (its click regions
// and level points): which stage each pixel belongs to (the click regions with softened,
// wobbling edges), an anti-aliased weight of each stage and of the whole island, and how far
// each pixel is from the path through the level points, so that painted props keep clear of
// the points.

#include "game/rules/FieldGeometry.h"
#include "game/screens/LevelPoint.h"
#include "game/screens/StageTables.h"

#include <cstdint>
#include <vector>

namespace Vuro::AssetGen {

class MapModel {
public:
    static constexpr int kWidth = kFieldWidth;
    static constexpr int kHeight = kFieldHeight;

    MapModel();

    // Weight 0..1 of stage 1..6 at a pixel (0 outside the island).
    float StageWeight(int stage, int x, int y) const;
    // Weights 0..1 of the island, of the island with its beach, and of its shallows.
    float LandWeight(int x, int y) const { return mLand[Index(x, y)]; }
    float ShoreWeight(int x, int y) const { return mShore[Index(x, y)]; }
    float ShallowWeight(int x, int y) const { return mShallow[Index(x, y)]; }
    // The stage (1..6) whose land a pixel is, 0 for water.
    int StageAt(int x, int y) const { return mStage[Index(x, y)]; }
    // Distance in pixels to the path through the level points.
    float PathDistance(int x, int y) const { return mPathDistance[Index(x, y)]; }
    // Centre of story point n.
    static double PointX(int n) { return kStoryPoints[n].mX + LevelPoint::kSize / 2.0; }
    static double PointY(int n) { return kStoryPoints[n].mY + LevelPoint::kSize / 2.0; }

private:
    static int Index(int x, int y) { return y * kWidth + x; }

    std::vector<uint8_t> mStage;
    std::vector<float> mStageWeights; // six planes
    std::vector<float> mLand;
    std::vector<float> mShore;
    std::vector<float> mShallow;
    std::vector<float> mPathDistance;
};

} // namespace Vuro::AssetGen
