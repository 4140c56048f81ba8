// The shared play board: its state machine, the end of a level, drawing and input.

#include "game/screens/PlayBoard.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/sound/MusicInterface.h"
#include "framework/util/MersenneTwister.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ProfileManager.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/rules/LevelFile.h"
#include "game/rules/PlayFieldHost.h"
#include "game/rules/RedrawFlag.h"
#include "game/screens/BoardH.h"
#include "game/screens/BoardStat.h"
#include "game/screens/GameHost.h"
#include "game/screens/InGameDialog.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/StageTables.h"
#include "platform/Clock.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr int kPauseHelpText = 10;
constexpr int kQuestionHeaderText = 27;
constexpr int kQuestionBodyText = 28;

constexpr int kBelowField = 421;      // the strip with the side buttons starts here
constexpr int kCurtainLeftEnd = -200; // the curtain closes until both halves reach these
constexpr int kCurtainRightEnd = 320;

constexpr int kKeySpace = 32;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

} // namespace

PlayBoard::PlayBoard(GameHost* game)
    : mApp(&game->App()), mGame(game), mHost(&game->GetProfileManager()) {
    mField.SetHost(&mHost);
    mField.SetRunState(&game->GetRunState());
    ResetBoard();
}

PlayBoard::~PlayBoard() {
    mField.ResetLevel();
    delete mHelpPanel;
    delete mStatBoard;
}

void PlayBoard::ResetBoard() {
    mCurtainLeftX = kCurtainStartLeft;
    mCurtainRightX = kCurtainStartRight;
    mState = kPlay;
    mEndCounter = 0;
    mLevelOver = false;
    mGoalReachedAtEnd = false;
    mCurtainActive = false;
}

bool PlayBoard::ParseLevel(const std::string& fileName) {
    std::string error;
    if (!LevelFile::ParseLevel(fileName, mField, error)) {
        mApp->Popup(error);
        return false;
    }
    return true;
}

bool PlayBoard::IsHelpPanelOpen() const {
    return mHelpPanel != nullptr && mHelpPanel->mWidgetManager != nullptr;
}

void PlayBoard::ShowHelpPanel(int tip) {
    DeleteHelpPanel();
    mHelpPanel = new BoardH(this, StoreIn(mState));
    mHelpPanel->ReadTexts(tip);
    mHelpPanel->Resize(0, 0, kFieldWidth, kFieldHeight);
    mApp->mWidgetManager->AddWidget(mHelpPanel);
    mState = kWait;
    mApp->PlaySample(SampleId::kQuestion);
}

void PlayBoard::DeleteHelpPanel() {
    delete mHelpPanel;
    mHelpPanel = nullptr;
}

void PlayBoard::CustomCursor(int cursorNum) {
    if (mGame->HasCustomCursors()) {
        mApp->SetCursor(cursorNum);
    }
}

PlayerRecord PlayBoard::GetRecord() const {
    PlayerRecord record;
    mGame->GetProfileManager().GetRecord(&record);
    return record;
}

bool PlayBoard::LoadLevelScenery(int pictureLevel) {
    if (!mImages.LoadScenery(mApp, pictureLevel, mField.IsDay())) {
        return false;
    }
    PlayFieldPictures::SetFieldImages(mField, mImages);
    mView.SetImages(&mImages);
    return true;
}

void PlayBoard::FinishLevelLoading() {
    Platform::GetClock().SleepMs(kLoadedPauseMs);
    CustomCursor(CursorId::kArrow);
}

void PlayBoard::PlayLevelSong() {
    mApp->mMusicInterface->StopAllMusic();
    mApp->mMusicInterface->PlayMusic(SongId::kFirstLevel + Rand() % SongId::kLevelCount, 0, false);
}

// ---- [The state machine] ----

void PlayBoard::Update() {
    Widget::Update();
    switch (mState) {
    case kPaused:
        Invalidate();
        break;
    case kResume:
        Resume();
        break;
    case kLeave:
        OnLeave();
        break;
    case kCurtain:
        CloseCurtain();
        break;
    case kNextLevel:
        OnNextLevel();
        break;
    case kStatsClosed:
        StatsClosed();
        break;
    case kQuit:
        OnQuit();
        break;
    case kPlay:
        Play();
        break;
    default: // kWait
        break;
    }
}

void PlayBoard::Resume() {
    DeleteHelpPanel();
    mApp->mMusicInterface->ResumeAllMusic();
    DialogPause() = false;
    mField.SetEvent(PlayField::kEventNone);
    mState = kPlay;
    CustomCursor(PlayCursor());
    // The panel or the question had the focus: keys pause the level again.
    if (mWidgetManager != nullptr) {
        mWidgetManager->SetFocus(this);
    }
}

void PlayBoard::CloseCurtain() {
    if (mCurtainLeftX < kCurtainLeftEnd || mCurtainRightX > kCurtainRightEnd) {
        ++mCurtainLeftX;
        --mCurtainRightX;
        Invalidate();
        return;
    }
    // Saved after every level: a lost level leaves every field as it was.
    PlayerRecord record = GetRecord();
    if (mField.IsGoalReached()) {
        if (mField.GetScore() > 0) {
            record.totalScore = std::min(record.totalScore + mField.GetScore(), kMaxTotalScore);
        }
        AdvanceProgress(record);
    }
    mGame->GetProfileManager().SetRecord(record);
    (void)mGame->GetProfileManager().SaveCurrent();
    ShowStatistics();
}

void PlayBoard::ShowStatistics() {
    delete mStatBoard;
    mStatBoard = new BoardStat(this, StoreIn(mState));
    mStatBoard->Resize(0, 0, kFieldWidth, kFieldHeight);
    mApp->mWidgetManager->AddWidget(mStatBoard);
    mApp->mWidgetManager->SetFocus(mStatBoard);
    mApp->mMusicInterface->StopAllMusic();
    mApp->mMusicInterface->PlayMusic(SongId::kStatistics, 0, false);
    mState = kWait;
    CustomCursor(CursorId::kArrow);
}

void PlayBoard::StatsClosed() {
    // The screen took itself out of the manager from its own button handler, which may still
    // be running: it goes at the next safe-delete pass.
    if (mStatBoard != nullptr) {
        mApp->QueueWidgetDeletion(mStatBoard);
        mStatBoard = nullptr;
    }
    if (!mField.IsGoalReached() && GetRecord().easyMode == 0) {
        mGame->SetMapMessage(MapMessage::kDifficultyQuestion);
    }
    OnStatsClosed();
}

void PlayBoard::Play() {
    int event = mField.GetEvent();
    switch (event) {
    case PlayField::kEventLeftButton:
        OpenInGameDialog();
        break;
    case PlayField::kEventRightButton:
        Pause();
        break;
    case PlayField::kEventHelpTip:
        ShowHelpPanel(mField.GetHelpTip());
        CustomCursor(CursorId::kArrow);
        // Resume clears it.
        mField.SetEvent(PlayField::kEventLeftButton);
        mState = kWait;
        break;
    default:
        if (event == PlayField::kEventNoFruitLeft && EndsWhenTreesBare()) {
            EndLevel();
        }
        PlayTick();
        break;
    }
}

void PlayBoard::OpenInGameDialog() {
    auto* dialog = new InGameDialog(mGame, mGame->GetHelpText(kQuestionHeaderText),
                                    &mGame->GetHelpText(kQuestionBodyText), StoreIn(mState),
                                    mImages.mDlg, mImages.mDlgButton, mImages.mMainMenuFont);
    dialog->Resize(120, 150, 400, 160);
    mApp->AddDialog(0, dialog);
    CustomCursor(CursorId::kArrow);
    mApp->PlaySampleAt(SampleId::kClick, 0);
    mApp->mMusicInterface->PauseAllMusic();
    DialogPause() = true;
    mState = kWait;
}

void PlayBoard::Pause() {
    mState = kPaused;
    CustomCursor(CursorId::kArrow);
    Invalidate();
    mApp->PlaySampleAt(SampleId::kClick, 0);
    mApp->mMusicInterface->PauseAllMusic();
}

void PlayBoard::PlayTick() {
    mField.Update(mUpdateCount);
    if (mField.GetLevelTime() == 0 || mField.IsTimeUp()) {
        EndLevel();
    }
    if (mLevelOver) {
        if (mEndCounter < kEndCounterMax) {
            ++mEndCounter;
        }
        if (mEndCounter >= kEndCounterMax) {
            mState = kCurtain;
            mCurtainActive = true;
        }
        Invalidate();
    }
    // A tick in which nothing the field draws changed leaves the last picture standing.
    if (IsRedrawNeeded()) {
        Invalidate();
    }
    ClearRedrawNeeded();
}

void PlayBoard::EndLevel() {
    if (mEndCounter == 0) {
        mGoalReachedAtEnd = mField.IsGoalReached();
        mApp->mMusicInterface->StopAllMusic();
        mApp->mMusicInterface->PlayMusic(mGoalReachedAtEnd ? SongId::kCompleted : SongId::kGameOver,
                                         0, true);
        if (mGame->HasCustomCursors()) {
            mField.SetCustomCursors(false);
            mApp->SetCursor(CursorId::kArrow);
        }
    }
    mLevelOver = true;
}

// ---- [Drawing] ----

void PlayBoard::Draw(Graphics* g) {
    if (mState == kPaused && !DialogPause() && !IsHelpPanelOpen()) {
        g->SetColor(Color(0, 0, 0));
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetFont(mImages.mMainMenuFont);
        g->SetColor(Color(255, 255, 0));
        g->DrawString(mGame->GetHelpText(kPauseHelpText), 280, 200);
        return;
    }
    DrawField(g);
    DrawEnd(g);
}

void PlayBoard::DrawField(Graphics* g) {
    const bool slingshotHidden = mCurtainActive || (mLevelOver && HidesSlingshotWhenOver());
    mView.DrawAll(g, !slingshotHidden);
}

void PlayBoard::DrawEnd(Graphics* g) {
    if (mLevelOver) {
        g->SetColor(Color(255, 255, 255, mEndCounter));
        g->SetColorizeImages(true);
        if (mGoalReachedAtEnd) {
            g->DrawImage(mImages.mLevelCompleted, 101, 146);
        } else {
            g->DrawImage(mImages.mGameOver, 111, 184);
        }
        g->SetColorizeImages(false);
    }
    if (mCurtainActive && mImages.mCurtain != nullptr) {
        int width = mImages.mCurtain->GetWidth();
        for (int x : {mCurtainLeftX, mCurtainRightX}) {
            for (int part = 0; part < 3; ++part) {
                g->DrawImage(mImages.mCurtain, x + part * width, 0);
            }
        }
    }
}

// ---- [Input] ----

void PlayBoard::GotFocus() {
    Widget::GotFocus();
    Invalidate();
    if (IsHelpPanelOpen()) {
        mState = kWait;
    }
}

void PlayBoard::LostFocus() {
    Widget::LostFocus();
    mApp->mMusicInterface->PauseAllMusic();
    if (!IsHelpPanelOpen() || PausesUnderHelpPanel()) {
        mState = kPaused;
        Invalidate();
        CustomCursor(CursorId::kArrow);
    }
}

void PlayBoard::KeyDown(int key) {
    if (mState == kPaused || mState == kWait || mCurtainActive) {
        return;
    }
    if (key == kKeySpace || key == kKeyEnter || key == kKeyEscape) {
        Pause();
    }
}

void PlayBoard::MouseMove(int x, int y) {
    if (mState == kWait) {
        return;
    }
    if (mState == kPlay && y >= kBelowField) {
        CustomCursor(CursorId::kArrow);
    }
    mField.SetMousePos(x, y);
}

void PlayBoard::MouseDrag(int x, int y) {
    Widget::MouseDrag(x, y);
    if (mState == kPaused || mState == kWait || (mLevelOver && !FollowsDragWhenOver())) {
        return;
    }
    MouseMove(x, y);
}

void PlayBoard::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    if (mState == kPaused) {
        // The click only resumes; the field takes the pause screen's place at once.
        CustomCursor(CursorId::kArrow);
        mApp->mMusicInterface->ResumeAllMusic();
        mState = kPlay;
        mField.SetEvent(PlayField::kEventNone);
        Invalidate();
        return;
    }
    if (mState == kWait || mCurtainActive || mLevelOver) {
        return;
    }
    if (mState == kPlay && y >= kBelowField) {
        CustomCursor(CursorId::kArrow);
    }
    mField.MouseDown(x, y, clickCount);
}

} // namespace Vuro
