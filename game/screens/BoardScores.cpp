#include "game/screens/BoardScores.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/util/StringHelpers.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ScoreTables.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/CaptionedButton.h"
#include "game/screens/GameHost.h"
#include "game/screens/MenuDialog.h"

#include <utility>

namespace Vuro {

namespace {
constexpr Point kBackButton{115, 360};
constexpr Point kSwitchButton{420, 360};
constexpr Point kTitle{210, 110};
constexpr int kFirstRowY = 160;
constexpr int kRowStep = 40;
constexpr int kNameX = 120;
constexpr int kLevelX = 250;
constexpr int kScoreX = 380;

// Help texts.
constexpr int kBackText = 7;
constexpr int kSwitchText = 9;
constexpr int kLevelText = 21;
constexpr int kScoreText = 22;
constexpr int kStoryTitleText = 23;
constexpr int kSurvivalTitleText = 24;
} // namespace

BoardScores::BoardScores(BoardMenu* owner, StateCallback answer)
    : mOwner(owner), mAnswer(std::move(answer)) {
    ScoreTables& tables = owner->mGame->GetScoreTables();
    tables.Sort(true);
    tables.Sort(false);
}

BoardScores::~BoardScores() {
    (void)mOwner->mGame->GetScoreTables().Save();
    delete mBackButton;
    delete mSwitchButton;
}

void BoardScores::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    const MenuArtSet& art = mOwner->mArt;
    const GameHost* game = mOwner->mGame;
    const int width = art.mButton->GetWidth();
    const int height = art.mButton->GetHeight();
    if (mBackButton == nullptr) {
        mBackButton = MakeCaptionedButton(kBackButtonId, this, art.mButton, art.mButtonOver,
                                          art.mMainFont, game->GetHelpText(kBackText));
        mBackButton->Resize(kBackButton.mX, kBackButton.mY, width, height);
        mSwitchButton = MakeCaptionedButton(kSwitchButtonId, this, art.mButton, art.mButtonOver,
                                            art.mMainFont, game->GetHelpText(kSwitchText));
        mSwitchButton->Resize(kSwitchButton.mX, kSwitchButton.mY, width, height);
    }
    manager->AddWidget(mBackButton);
    manager->AddWidget(mSwitchButton);
}

void BoardScores::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    manager->RemoveWidget(mBackButton);
    manager->RemoveWidget(mSwitchButton);
}

void BoardScores::Update() {
    Widget::Update();
    if (mOwner->mApp->mHasFocus) {
        Invalidate();
    }
}

void BoardScores::Draw(Graphics* g) {
    GameHost* game = mOwner->mGame;
    g->DrawImage(mOwner->mArt.mStat, 0, 0);
    g->SetFont(mOwner->mArt.mMainFont);
    g->SetColor(kMenuYellow);
    g->DrawString(game->GetHelpText(mShowStory ? kStoryTitleText : kSurvivalTitleText), kTitle.mX,
                  kTitle.mY);
    const ScoreTables& tables = game->GetScoreTables();
    const std::string& level = game->GetHelpText(kLevelText);
    const std::string& score = game->GetHelpText(kScoreText);
    for (int row = 0; row < tables.Count(mShowStory); ++row) {
        ScoreEntry entry;
        if (!tables.GetRow(row, entry, mShowStory)) {
            continue;
        }
        const int y = kFirstRowY + kRowStep * row;
        g->DrawString(entry.GetName(), kNameX, y);
        g->DrawString(StrFormat("%s : %d", level.c_str(), entry.level), kLevelX, y);
        g->DrawString(StrFormat("%s : %d", score.c_str(), entry.score), kScoreX, y);
    }
}

void BoardScores::ButtonClick(int id) {
    mOwner->mApp->PlaySampleAt(SampleId::kClick, 0);
    if (id == kBackButtonId) {
        if (mWidgetManager != nullptr) {
            mWidgetManager->RemoveWidget(this);
        }
        mAnswer(kClosed);
    } else if (id == kSwitchButtonId) {
        mShowStory = !mShowStory;
    }
}

} // namespace Vuro
