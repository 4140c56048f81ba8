#include "game/core/StandInBoard.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetSysFont.h"

#include <utility>

namespace Vuro {

namespace {
constexpr int kCaptionBaseline = 60;
constexpr int kDetailBaseline = 100;
const Color kCaptionColor(255, 255, 255);
} // namespace

StandInBoard::StandInBoard(GameApp* app, const Color& fill, std::string caption)
    : mApp(app), mFill(fill), mCaption(std::move(caption)) {}

StandInBoard::~StandInBoard() = default;

Font* StandInBoard::CaptionFont() {
    if (mFont == nullptr) {
        SysFontRequest request;
        request.mFace = "Arial";
        request.mPointSize = 20;
        request.mBold = true;
        mFont.reset(MakeSysFont(request));
    }
    return mFont.get();
}

void StandInBoard::Draw(Graphics* g) {
    DrawFill(g);
    DrawCaption(g);
}

void StandInBoard::DrawFill(Graphics* g) {
    g->SetColor(mFill);
    g->FillRect(0, 0, mWidth, mHeight);
}

void StandInBoard::DrawCaption(Graphics* g) {
    g->SetFont(CaptionFont());
    g->SetColor(kCaptionColor);
    DrawCenteredText(g, kCaptionBaseline, mCaption);
    std::string detail = Detail();
    if (!detail.empty()) {
        DrawCenteredText(g, kDetailBaseline, detail);
    }
}

} // namespace Vuro
