#include "framework/app/WindowPlacement.h"

#include <algorithm>

namespace Vuro {

namespace {
// Distance kept from the work area's edges.
constexpr int kEdgeGap = 4;
// Share of the free vertical space above a window placed without a preference.
constexpr double kGoldenShare = 0.382;
} // namespace

WindowPlacement WindowPlacement::Place(int preferredX, int preferredY, int width, int height,
                                       const WindowArea& workArea) {
    WindowPlacement place;
    int right = workArea.x + workArea.width;
    int bottom = workArea.y + workArea.height;
    if (preferredX != -1 && preferredY != -1) {
        place.x = std::max(preferredX, workArea.x + kEdgeGap);
        place.y = std::max(preferredY, workArea.y + kEdgeGap);
        if (place.x + width >= right - kEdgeGap) {
            place.x = right - kEdgeGap - width;
        }
        if (place.y + height >= bottom - kEdgeGap) {
            place.y = bottom - kEdgeGap - height;
        }
        return place;
    }
    place.x = workArea.x + (workArea.width - width) / 2;
    place.y = workArea.y + static_cast<int>(kGoldenShare * (workArea.height - height));
    return place;
}

} // namespace Vuro
