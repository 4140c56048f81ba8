#pragma once
// The stage map, shown above the menu between the menu and a level. It holds the level points
// of its mode (story or survival), a working copy of the current player's record, and the
// rules that open stages for points, select the level to play, and pick the message shown
// after a visit to a level.
//
// What a caller can rely on:
// - The map reads and changes only its copy of the record; the profile changes when the copy
//   is handed back and saved, after a purchase (and when the map is left through a button).
// - Level fields of the copy are clamped into range (story 0..42, survival 0..5, the selected
//   level at most the highest) before any of them selects a point (mended: a negative field
//   read from a player's file reached past the point table); the clamped values are saved
//   with the next save.
// - Setup runs once, on the loading thread, before the map is attached; everything else runs
//   on the main thread.
//
// Implementation files: BoardMapModel.cpp (the points, the selection rules, buying stages,
// the difficulty switch).

#include "game/core/FrameAnim.h"
#include "game/core/StandInBoard.h"
#include "game/screens/LevelPoint.h"
#include "game/screens/PlayerRecord.h"

#include <map>
#include <string>

namespace Vuro {

class BoardMenu;
class GameApp;

class BoardMap : public StandInBoard {
public:
    static constexpr int kMapTextCount = 9;
    static constexpr const char* kMapTextFile = "local/682.xml";

    // The message code: what the next active update acts on.
    static constexpr int kNoMessage = 0;
    static constexpr int kBuyAccepted = 100;        // buy the first stage not opened
    static constexpr int kDifficultySwitch = 330;   // invert the easy flag
    static constexpr int kDifficultyQuestion = 333; // the question is open
    static constexpr int kMessageClosed = 101;
    static constexpr int kBuyDeclined = 777;

    // Sound ids.
    static constexpr int kMessageSound = 1;
    static constexpr int kClickSound = 2;
    static constexpr int kPaidSound = 5;
    static constexpr int kSelectSound = 17;
    static constexpr int kQuestionSound = 23;

    // The map draws on the menu's pictures (not owned). Takes a copy of the current record and
    // is in story mode until Setup.
    BoardMap(GameApp* app, BoardMenu* menu);

    // ---- [Model] ----
    // Loading thread: the map texts, the animations, the mode, the points of the mode with
    // their states from the copy, the message due after the visit, the open limit. A missing
    // text file is reported through the application's Popup and stops there.
    void Setup(bool story);
    // Texts 1..9 of local/682.xml; false when the file cannot be opened.
    bool ReadMapTexts();
    // The highest point number drawn: the last level of the last opened stage (story), the
    // number of opened stages counted from stage 2 (survival).
    void ComputeOpenLimit();
    // Story click at (x, y): the point hit becomes the current level; one beyond the highest
    // reached selects the highest reached instead.
    void SelectStoryPoint(int x, int y);
    void SelectHighestStoryPoint();
    // Survival click on the hovered region: its level becomes current, or the highest reached
    // when the region's level is not reached yet.
    void SelectSurvivalRegion();
    // Message code 100: opens the first stage not opened at its price, saves the copy.
    void BuyNextStage();
    // Message code 330: inverts the copy's easy flag (saved with the next save).
    void SwitchDifficulty();
    // Stage 2..6 is opened in the copy; stage 1 always is.
    bool IsStageOpened(int stage) const;

    void Update() override;

    // ---- [Fields] ----
    GameApp* mGameApp; // not owned
    BoardMenu* mMenu;  // not owned
    std::string mMapTexts[kMapTextCount];
    FrameAnim mShip;
    FrameAnim mShip2;
    FrameAnim mOcti;
    int mMessageCode = kNoMessage;
    int mOpenLimit = 0;
    int mHoveredRegion = 0; // 0 none, 1..6 the region under the mouse
    std::map<int, LevelPoint> mPoints;
    PlayerRecord mRecord; // the working copy
    bool mStory = true;

private:
    // Every level field into range (see the header).
    void ClampProgress();
    // The points of the mode: state 1 up to the highest reached level, 0 beyond, 2 for the
    // current level.
    void ApplyPointStates();
    // Moves the current mark from the copy's current level to level.
    void MoveCurrentPoint(int32_t& current, int level);
    void SetPointState(int number, int state);
    // The message code a visit produces, from the copy (story) or the pending map message
    // (survival).
    void TakeVisitMessage();
    void StoreRecord();
};

} // namespace Vuro
