#include "game/screens/BoardMenu.h"

#include "game/core/GameApp.h"
#include "game/screens/LocalTexts.h"
#include "platform/TextEncoding.h"

namespace Vuro {

namespace {
constexpr int kSunX = 480;
constexpr int kSunY = 40;
} // namespace

BoardMenu::BoardMenu(GameApp* app)
    : StandInBoard(app, Color(50, 90, 140), "Главное меню"_cp1251), mGameApp(app) {}

bool BoardMenu::ReadMenuTexts() {
    return ReadLocalTexts(kMenuTextFile, mMenuTexts, kMenuTextCount);
}

void BoardMenu::LoadResources() {
    if (!ReadMenuTexts()) {
        mGameApp->Popup(std::string("There was an error loading the file: ") + kMenuTextFile);
        return;
    }
    mHoveredButton = 0;
    mSun.Start(kSunX, kSunY, 0);
    mSun.SetHeld(true);
    if (!mArt.Load(mGameApp)) {
        return;
    }
    mGameApp->LoadSounds();
    ++mGameApp->mCompletedLoadingThreadTasks;
}

} // namespace Vuro
