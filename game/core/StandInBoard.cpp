#include "game/core/StandInBoard.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetSysFont.h"
#include "game/core/GameApp.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardTitres.h"
#include "game/screens/PlayerRecord.h"

#include <utility>

namespace Vuro {

namespace {
constexpr int kCaptionBaseline = 60;
constexpr int kDetailBaseline = 100;
const Color kCaptionColor(255, 255, 255);
const Color kButtonColor(250, 200, 60);
const Color kButtonCaptionColor(0, 0, 0);
constexpr int kButtonCaptionRise = 10; // from the box's bottom to the caption's baseline
constexpr int kClickSample = 2;

// Help texts of the button captions.
constexpr int kOkText = 1;
constexpr int kStoryText = 18;
constexpr int kSurvivalText = 19;
} // namespace

// A box at a real button's place (x and y inclusive) and where it leads. Help text 0 marks the
// credits' click anywhere, which draws nothing.
struct StandInBoard::LeadingButton {
    int mLeft;
    int mTop;
    int mRight;
    int mBottom;
    int mHelpText;
    int mFrom;    // the screen id of the screen it is on
    int mTarget;  // the screen id switched to
    int mMapMode; // set before the switch; -1 keeps it

    bool Holds(int x, int y) const {
        return x >= mLeft && x <= mRight && y >= mTop && y <= mBottom;
    }
};

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
    for (const LeadingButton& button : LeadingButtons()) {
        if (button.mHelpText == 0) {
            continue;
        }
        g->SetColor(kButtonColor);
        g->FillRect(button.mLeft, button.mTop, button.mRight - button.mLeft + 1,
                    button.mBottom - button.mTop + 1);
        const std::string& caption = mApp->GetHelpText(button.mHelpText);
        g->SetFont(CaptionFont());
        g->SetColor(kButtonCaptionColor);
        g->DrawString(caption,
                      (button.mLeft + button.mRight + 1 - CaptionFont()->StringWidth(caption)) / 2,
                      button.mBottom - kButtonCaptionRise);
    }
}

void StandInBoard::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    if (mLedOn) {
        return;
    }
    for (const LeadingButton& button : LeadingButtons()) {
        if (button.Holds(x, y)) {
            LeadOn(button);
            return;
        }
    }
}

std::vector<StandInBoard::LeadingButton> StandInBoard::LeadingButtons() const {
    const Widget* self = this;
    if (self == mApp->mMenu) {
        PlayerRecord record;
        bool newPlayer = mApp->mProfileManager.GetRecord(&record)->storyLevelMax == 0;
        int storyTarget = newPlayer ? GameApp::kScreenTitres : GameApp::kScreenMap;
        int from = GameApp::kScreenMenu;
        return {{249, 156, 358, 203, kStoryText, from, storyTarget, GameApp::kMapModeStory},
                {249, 214, 358, 259, kSurvivalText, from, GameApp::kScreenMap,
                 GameApp::kMapModeSurvival}};
    }
    if (self == mApp->mTitres) {
        // The prologue has its button; the credits after a mode's end go back at any click.
        int from = GameApp::kScreenTitres;
        if (mApp->mTargetScreenId == GameApp::kScreenTitres) {
            return {{450, 415, 576, 475, kOkText, from, GameApp::kScreenMap, -1}};
        }
        return {{0, 0, mWidth - 1, mHeight - 1, 0, from, GameApp::kScreenMenu, -1}};
    }
    return {};
}

void StandInBoard::LeadOn(const LeadingButton& button) {
    mLedOn = true;
    mApp->PlaySampleAt(kClickSample, 0);
    if (button.mMapMode >= 0) {
        mApp->mMapMode = button.mMapMode;
    }
    mApp->mPreviousScreenId = button.mFrom;
    mApp->mTargetScreenId = button.mTarget;
    mApp->SwitchScreen();
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
