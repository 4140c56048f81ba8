#include "game/screens/BoardIntro.h"

#include "framework/graphics/Graphics.h"
#include "game/core/GameApp.h"
#include "platform/TextEncoding.h"

namespace Vuro {

namespace {
constexpr int kStartCaptionHelpText = 11;
constexpr int kClickSample = 2;
const Color kIntroFill(40, 110, 50);
const Color kStartBoxColor(250, 200, 60);
} // namespace

BoardIntro::BoardIntro(GameApp* app) : StandInBoard(app, kIntroFill, "Quandrellis") {}

void BoardIntro::LoadResources(bool) {
    mApp->mPreviousScreenId = GameApp::kScreenIntro;
    mApp->mTargetScreenId = GameApp::kScreenMenu;
    mApp->SwitchScreen();
}

bool BoardIntro::MenuReady() const {
    return mApp->mLoaded && mApp->mCompletedLoadingThreadTasks == mApp->mNumLoadingThreadTasks;
}

void BoardIntro::Update() {
    StandInBoard::Update();
    if (MenuReady() != mShownReady) {
        Invalidate();
    }
}

std::string BoardIntro::Detail() {
    return MenuReady() ? std::string() : "Загрузка..."_cp1251;
}

void BoardIntro::Draw(Graphics* g) {
    StandInBoard::Draw(g);
    mShownReady = MenuReady();
    if (!mShownReady) {
        return;
    }
    g->SetColor(kStartBoxColor);
    g->FillRect(kStartLeft, kStartTop, kStartRight - kStartLeft, kStartBottom - kStartTop);
    g->SetColor(Color(0, 0, 0));
    DrawCenteredText(g, kStartBottom - 12, mApp->GetHelpText(kStartCaptionHelpText));
}

void BoardIntro::MouseDown(int x, int y, int clickCount) {
    StandInBoard::MouseDown(x, y, clickCount);
    if (MenuReady() && x >= kStartLeft && x <= kStartRight && y >= kStartTop && y <= kStartBottom) {
        mApp->PlaySampleAt(kClickSample, 0);
        mApp->FinishMenuScreen();
    }
}

} // namespace Vuro
