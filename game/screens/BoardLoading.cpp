#include "game/screens/BoardLoading.h"

#include "framework/graphics/Graphics.h"
#include "game/core/GameApp.h"
#include "platform/TextEncoding.h"

namespace Vuro {

namespace {
const Color kLoadingFill(30, 60, 30);
const Color kBarBack(70, 70, 70);
const Color kBarFront(250, 200, 60);
constexpr int kBarX = 170;
constexpr int kBarY = 300;
constexpr int kBarWidth = 300;
constexpr int kBarHeight = 16;
} // namespace

BoardLoading::BoardLoading(GameApp* app, int)
    : StandInBoard(app, kLoadingFill, "Загрузка"_cp1251) {}

void BoardLoading::Update() {
    StandInBoard::Update();
    Invalidate();
}

void BoardLoading::Draw(Graphics* g) {
    StandInBoard::Draw(g);
    g->SetColor(kBarBack);
    g->FillRect(kBarX, kBarY, kBarWidth, kBarHeight);
    g->SetColor(kBarFront);
    g->FillRect(kBarX, kBarY, static_cast<int>(kBarWidth * mApp->GetLoadingProgress()), kBarHeight);
}

} // namespace Vuro
