#include "game/core/BoardStory.h"

#include "platform/TextEncoding.h"

namespace Vuro {

BoardStory::BoardStory(GameApp* app) : StandInPlayBoard(app, Color(20, 20, 20), "Сюжет"_cp1251) {}

void BoardStory::LoadLevel(int n) {
    LoadPlay(n + 1, n + 1, false, "Failed to initialize game level.");
}

} // namespace Vuro
