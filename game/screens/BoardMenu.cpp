#include "game/screens/BoardMenu.h"

#include "game/core/GameApp.h"
#include "platform/TextEncoding.h"

namespace Vuro {

BoardMenu::BoardMenu(GameApp* app) : StandInBoard(app, Color(50, 90, 140), "Главное меню"_cp1251) {}

void BoardMenu::LoadResources() {
    mApp->LoadSounds();
    for (int task = 0; task < kLoadingTasks; ++task) {
        ++mApp->mCompletedLoadingThreadTasks;
    }
}

} // namespace Vuro
