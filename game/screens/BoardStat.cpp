#include "game/screens/BoardStat.h"

#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/core/GameApp.h"
#include "game/core/PlayBoard.h"
#include "platform/TextEncoding.h"

#include <string>

namespace Vuro {

namespace {
constexpr int kClickSample = 2;
constexpr int kTitleHelpText = 25;
const Color kTextColor(255, 255, 0);
} // namespace

BoardStat::BoardStat(PlayBoard* board, int* stateWord) : mBoard(board), mStateWord(stateWord) {
    GameApp* app = board->GetApp();
    PlayerRecord record;
    app->mProfileManager.GetRecord(&record);
    mStageSum = board->GetStageSum();
    mTotalSum = record.totalScore;
    PlayField& field = board->GetField();
    if (field.IsGoalReached()) {
        ScoreEntry entry;
        entry.SetName(record.GetName());
        entry.score = mStageSum;
        entry.level = field.GetLevel();
        (void)app->mScoreTables.Add(entry, !field.IsSurvival());
        (void)app->mScoreTables.Save();
    }
}

BoardStat::~BoardStat() {
    delete mOkButton;
}

void BoardStat::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    GameImages& images = mBoard->GetImages();
    if (mOkButton == nullptr) {
        mOkButton = new ButtonWidget(kOkButtonId, this);
        mOkButton->mNormalImage = images.mStatButton;
        mOkButton->mOverImage = images.mStatButtonOver;
        mOkButton->SetFont(images.mMainMenuFont);
        mOkButton->SetColor(0, kTextColor);
        mOkButton->SetColor(1, kTextColor);
        mOkButton->mLabel = "OK";
    }
    int width = images.mStatButton != nullptr ? images.mStatButton->GetWidth() : 120;
    int height = images.mStatButton != nullptr ? images.mStatButton->GetHeight() : 40;
    mOkButton->Resize(260, 365, width, height);
    manager->AddWidget(mOkButton);
}

void BoardStat::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    manager->RemoveWidget(mOkButton);
    manager->SetFocus(mBoard);
}

void BoardStat::Draw(Graphics* g) {
    GameImages& images = mBoard->GetImages();
    g->SetColor(Color(0, 0, 0));
    g->FillRect(0, 0, mWidth, mHeight);
    if (images.mStatLow != nullptr) {
        g->DrawImage(images.mStatLow, 70, 55);
    }
    g->SetFont(images.mMainMenuFont);
    g->SetColor(kTextColor);
    g->DrawString(mBoard->GetApp()->GetHelpText(kTitleHelpText), 250, 137);
    g->DrawString(std::string("Сумма за этап : "_cp1251) + std::to_string(mStageSum), 210, 320);
    g->DrawString(std::string("Общая сумма : "_cp1251) + std::to_string(mTotalSum), 210, 350);
}

void BoardStat::ButtonClick(int id) {
    gVuroApp->PlaySampleAt(kClickSample, 0);
    if (id != kOkButtonId) {
        return;
    }
    if (mWidgetManager != nullptr) {
        mWidgetManager->RemoveWidget(this);
    }
    *mStateWord = kStatsClosed;
}

} // namespace Vuro
