#include "tools/assetgen/menuart/MapModel.h"

#include "tools/assetgen/art/Blur.h"
#include "tools/assetgen/menuart/Noise.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Vuro::AssetGen {

namespace {

constexpr int kPixels = MapModel::kWidth * MapModel::kHeight;

// Three passes of a box blur approximate a Gaussian.
void Blur(std::vector<float>& plane, int radius) {
    for (int k = 0; k < 3; ++k) {
        Art::BoxBlur(plane.data(), MapModel::kWidth, MapModel::kHeight, MapModel::kWidth, radius);
    }
}

// A soft step from 0 to 1 around `edge`, `width` pixels of a blurred plane wide.
float Step(float value, float edge, float steepness) {
    return std::clamp((value - edge) * steepness + 0.5f, 0.0f, 1.0f);
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

} // namespace

MapModel::MapModel()
    : mStage(kPixels), mStageWeights(kPixels * kStageCount), mLand(kPixels), mShore(kPixels),
      mShallow(kPixels), mPathDistance(kPixels) {
    // The stage each pixel selects when clicked.
    std::vector<uint8_t> region(kPixels, 0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            region[Index(x, y)] = static_cast<uint8_t>(StageRegionAt(x, y));
        }
    }
    // Softened planes: the island, a wider one for the shallows, and one per stage.
    std::vector<float> land(kPixels);
    std::vector<std::vector<float>> stages(kStageCount, std::vector<float>(kPixels));
    for (int i = 0; i < kPixels; ++i) {
        land[i] = region[i] != 0 ? 1.0f : 0.0f;
        if (region[i] != 0) {
            stages[region[i] - 1][i] = 1.0f;
        }
    }
    std::vector<float> shallow = land;
    Blur(land, 6);
    Blur(shallow, 16);
    for (auto& plane : stages) {
        Blur(plane, 6);
    }
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int i = Index(x, y);
            // Coasts and borders wobble, so the rectangles of the click regions do not show.
            const float coast =
                static_cast<float>(0.3 * (FractalNoise(x / 38.0, y / 38.0, 7) - 0.5));
            mLand[i] = Step(land[i] + coast, 0.5f, 14.0f);
            mShore[i] = Step(land[i] + coast, 0.36f, 14.0f);
            mShallow[i] = Step(shallow[i] + coast, 0.22f, 3.0f);
            int best = 0;
            float bestScore = -1;
            float second = -1;
            std::array<float, kStageCount> score{};
            for (int s = 0; s < kStageCount; ++s) {
                score[s] =
                    stages[s][i] +
                    static_cast<float>(0.25 * (FractalNoise(x / 30.0, y / 30.0, 11 + s) - 0.5));
                if (score[s] > bestScore) {
                    second = bestScore;
                    bestScore = score[s];
                    best = s;
                } else if (score[s] > second) {
                    second = score[s];
                }
            }
            mStage[i] = static_cast<uint8_t>(mLand[i] >= 0.5f ? best + 1 : 0);
            for (int s = 0; s < kStageCount; ++s) {
                const float own = s == best ? Step(bestScore - second, 0.0f, 12.0f)
                                            : Step(score[s] - bestScore, 0.0f, 12.0f);
                mStageWeights[s * kPixels + i] = own * mLand[i];
            }
        }
    }
    // Distance to the path through the points, in level order.
    const int points = static_cast<int>(kStoryPoints.size());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            double nearest = 1e9;
            for (int n = 0; n + 1 < points; ++n) {
                nearest = std::min(nearest, SegmentDistance(x, y, PointX(n), PointY(n),
                                                            PointX(n + 1), PointY(n + 1)));
            }
            mPathDistance[Index(x, y)] = static_cast<float>(nearest);
        }
    }
}

float MapModel::StageWeight(int stage, int x, int y) const {
    return mStageWeights[(stage - 1) * kPixels + Index(x, y)];
}

} // namespace Vuro::AssetGen
