#include "game/screens/BoardStat.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/sound/MusicInterface.h"
#include "framework/util/StringHelpers.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ProfileManager.h"
#include "game/player/ScoreTables.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/screens/CaptionedButton.h"
#include "game/screens/GameHost.h"
#include "game/screens/PlayBoard.h"
#include "game/screens/PlayFieldPictures.h"
#include "platform/TextEncoding.h"

#include <string>
#include <utility>

namespace Vuro {

namespace {

constexpr int kTitleHelpText = 25;
const Color kYellow(255, 255, 0);
const Color kBlack(0, 0, 0);

struct BirdFlight {
    int mX;
    int mY;
    int mTargetX;
    int mTargetY;
    int mKind;
};
// Beside the bird counters, in their order: plain, white, black, kamikaze; drawn at full size
// (the data set draws each bird small within its cel, so they keep clear of one another, of the
// title and of the counters at x 390).
constexpr BirdFlight kBirdFlights[BoardStat::kBirdCount] = {
    {317, 137, 340, 155, Bird::Plain},
    {317, 170, 340, 185, Bird::White},
    {317, 205, 340, 215, Bird::Black},
    {306, 252, 340, 245, Bird::Kamikaze},
};

constexpr int kRows = 4;
constexpr int kIconX = 170;
constexpr int kIconY[kRows] = {155, 188, 223, 258};
constexpr int kIconCel = 2;
constexpr int kCounterY[kRows] = {175, 210, 245, 280};
constexpr int kFruitCounterX = 200;
constexpr int kBirdCounterX = 390;

// The sky is laid three times from the middle of the screen and four from left of it.
constexpr int kLeftTiles = 4;
constexpr int kLeftTileX = -188;
constexpr int kRightTiles = 3;
constexpr int kRightTileX = 320;

} // namespace

BoardStat::BoardStat(PlayBoard* board, StateCallback answer)
    : mIsStory(board->IsStory()), mBoard(board), mAnswer(std::move(answer)) {
    GameHost* game = board->GetGame();
    PlayerRecord record;
    game->GetProfileManager().GetRecord(&record);
    mLevelScore = board->GetLevelScore();
    mTotalSum = record.totalScore;
    for (int i = 0; i < kBirdCount; ++i) {
        const BirdFlight& flight = kBirdFlights[i];
        mBirds[i].Launch(flight.mX, flight.mY, flight.mTargetX, flight.mTargetY, flight.mKind);
        mBirds[i].SetHeld(true);
    }
    PlayField& field = board->GetField();
    field.GetStats(mCounters);
    if (field.IsGoalReached()) {
        ScoreEntry entry;
        entry.SetName(record.GetName());
        entry.score = mLevelScore;
        entry.level = field.GetLevel();
        (void)game->GetScoreTables().Add(entry, !field.IsSurvival());
        (void)game->GetScoreTables().Save(); // a table that cannot be saved still shows this run
    }
}

BoardStat::~BoardStat() {
    delete mOkButton;
}

void BoardStat::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    GameImages& images = mBoard->GetImages();
    if (mOkButton == nullptr) {
        mOkButton = MakeCaptionedButton(kOkButtonId, this, images.mStatButton,
                                        images.mStatButtonOver, images.mMainMenuFont, "OK");
        const Image* face = images.mStatButton;
        mOkButton->Resize(260, 365, face != nullptr ? face->GetWidth() : 0,
                          face != nullptr ? face->GetHeight() : 0);
    }
    manager->AddWidget(mOkButton);
}

void BoardStat::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    manager->RemoveWidget(mOkButton);
    manager->SetFocus(mBoard);
}

void BoardStat::GotFocus() {
    Widget::GotFocus();
    mBoard->GetApp()->mMusicInterface->ResumeAllMusic();
}

void BoardStat::Update() {
    Widget::Update();
    if (!mBoard->GetApp()->mHasFocus) {
        return;
    }
    for (Bird& bird : mBirds) {
        bird.Tick(mUpdateCount);
    }
    Invalidate();
}

void BoardStat::Draw(Graphics* g) {
    const GameImages& images = mBoard->GetImages();
    g->SetColor(kBlack);
    g->FillRect(0, 440, kFieldWidth, kFieldHeight);
    if (Image* sky = images.mSkyBackground) {
        for (int k = 0; k < kLeftTiles; ++k) {
            g->DrawImage(sky, kLeftTileX + k * sky->GetWidth(), 0);
        }
        for (int k = 0; k < kRightTiles; ++k) {
            g->DrawImage(sky, kRightTileX + k * sky->GetWidth(), 0);
        }
    }
    g->DrawImage(images.mStatLow, 70, 55);
    g->SetFont(images.mMainMenuFont);
    g->SetColor(kYellow);
    g->DrawString(mBoard->GetGame()->GetHelpText(kTitleHelpText), 250, 137);
    g->SetColor(kBlack);
    for (int row = 0; row < kRows; ++row) {
        g->DrawImageFrame(PlayFieldPictures::FruitAnimSheet(images, row + 1), kIconX, kIconY[row],
                          kIconCel);
    }
    constexpr auto outOf = "%d из %d"_cp1251;
    for (int row = 0; row < kRows; ++row) {
        g->DrawString(StrFormat(outOf.c_str(), mCounters[2 * row], mCounters[2 * row + 1]),
                      kFruitCounterX, kCounterY[row]);
    }
    for (const Bird& bird : mBirds) {
        g->DrawImageFrame(PlayFieldPictures::BirdFlightSheet(images, bird.GetKind()), bird.GetX(),
                          bird.GetY(), bird.GetFrame());
    }
    for (int row = 0; row < kRows; ++row) {
        g->DrawString(StrFormat(outOf.c_str(), mCounters[8 + 2 * row], mCounters[9 + 2 * row]),
                      kBirdCounterX, kCounterY[row]);
    }
    g->SetColor(kYellow);
    constexpr auto stageSum = "Сумма за этап : %d"_cp1251;
    constexpr auto totalSum = "Общая сумма : %d"_cp1251;
    g->DrawString(StrFormat(stageSum.c_str(), mLevelScore), 210, 320);
    g->DrawString(StrFormat(totalSum.c_str(), mTotalSum), 210, 350);
}

void BoardStat::ButtonClick(int id) {
    mBoard->GetApp()->PlaySampleAt(SampleId::kClick, 0);
    if (id != kOkButtonId) {
        return;
    }
    if (mWidgetManager != nullptr) {
        mWidgetManager->RemoveWidget(this);
    }
    mAnswer(kStatsClosed);
}

} // namespace Vuro
