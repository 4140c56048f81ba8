#include "game/core/BoardSurvive.h"

#include "platform/TextEncoding.h"

#include <algorithm>

namespace Vuro {

namespace {
// The pictures of survival level s are those of the first story level of stage s.
constexpr int kFirstLevelOfStage[] = {1, 7, 14, 22, 28, 36};
} // namespace

BoardSurvive::BoardSurvive(GameApp* app)
    : StandInPlayBoard(app, Color(20, 20, 20), "Выживание"_cp1251) {}

void BoardSurvive::LoadLevel(int n) {
    int stage = std::clamp(n, 0, 5);
    LoadPlay(n + 1, kFirstLevelOfStage[stage], true, "Failed to initializa game level.");
}

} // namespace Vuro
