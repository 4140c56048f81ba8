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
//   level at most the highest) before any of them selects a point, so a negative field read
//   from a player's file cannot reach past the point table; the clamped values are saved with
//   the next save.
// - A button leaves once: clicks while the switch it started runs do nothing, so no second
//   switch starts over the first one's loading.
// - Setup runs once, on the loading thread, before the map is attached; everything else runs
//   on the main thread.
// - The screen draws the menu's art set, which the menu keeps loaded while the map lives.
// - Its messages are read from local\6NN.xml when due and shown in the menu's dialogs under
//   dialog id 0; the dialogs answer through the message code. A message file that cannot be
//   read is reported through the application's Popup (fatal in the game).
//
// Implementation files: BoardMap.cpp (the screen: buttons, regions, drawing, input),
// BoardMapModel.cpp (the points, the selection rules, buying stages, the difficulty switch),
// BoardMapMessages.cpp (which message is due and the dialogs that show it).

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"
#include "game/player/PlayerRecord.h"
#include "game/rules/FrameAnim.h"
#include "game/screens/LevelPoint.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"
#include "game/screens/StageTables.h"

#include <map>
#include <string>

namespace Vuro {

class BoardMenu;
class ButtonWidget;
class GameHost;
class VuroAppBase;

class BoardMap : public Widget, public ButtonListener {
public:
    static constexpr int kMapTextCount = 9;
    static constexpr const char* kMapTextFile = "local/682.xml";

    // The message code: what the next active update acts on.
    static constexpr int kNoMessage = 0;
    static constexpr int kBuyAccepted = SimpleDialog::kYes; // buy the first stage not opened
    static constexpr int kDifficultySwitch = SimpleDialog::kPlainYes; // invert the easy flag
    // The question is open (a play board's pending question becomes this code).
    static constexpr int kDifficultyQuestion = MapMessage::kDifficultyQuestion;
    static constexpr int kMessageClosed = OKDialog::kClosedState;
    static constexpr int kBuyDeclined = SimpleDialog::kCancelled;

    static constexpr int kBackButtonId = 1;
    static constexpr int kPlayButtonId = 2;

    // The map draws on the menu's pictures (not owned). Takes a copy of the current record and
    // is in story mode until Setup.
    BoardMap(GameHost* game, BoardMenu* menu);
    ~BoardMap() override;

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

    // ---- [Messages] ----
    // Texts 1 (header) and 2 (body) of a message file into the message texts; false when the
    // file cannot be opened.
    bool ReadMessage(const std::string& file);
    // Story click on the hovered region: true when it was taken by a message about a stage not
    // opened (or fell outside every region), so no point is selected.
    bool CheckStoryRegion();
    bool CheckSurvivalRegion();
    // The difficulty question (local\680.xml or local\681.xml), answered through code 333.
    void AskDifficulty(bool easy);

    // ---- [Screen] ----
    // The region 1..6 of a point of the map; 0 outside every region.
    static int RegionAt(int x, int y);
    // The difficulty caption's box.
    static bool OnCaption(int x, int y);

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void Update() override;
    void Draw(Graphics* g) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseUpButton(int x, int y, int button, int clickCount) override;
    void ButtonClick(int id) override;

    // ---- [Fields] ----
    VuroAppBase* mApp; // the game's framework application, not owned
    GameHost* mGame;   // the game application, not owned
    BoardMenu* mMenu;  // not owned
    std::string mMapTexts[kMapTextCount];
    std::string mMessageHeader;
    std::string mMessageBody;
    FrameAnim mShip;
    FrameAnim mShip2;
    FrameAnim mOcti;
    int mMessageCode = kNoMessage;
    int mOpenLimit = 0;
    int mHoveredRegion = 0; // 0 none, 1..6 the region under the mouse
    bool mCaptionHovered = false;
    ButtonWidget* mBackButton = nullptr; // owned, made on attach
    ButtonWidget* mPlayButton = nullptr; // owned, made on attach
    std::map<int, LevelPoint> mPoints;
    PlayerRecord mRecord; // the working copy
    bool mStory = true;
    bool mLeaving = false; // a button asked for the switch away

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
    // What a click on the hovered region is before any message: outside every region (taken,
    // nothing shown), on an opened stage or region 1 (a selection), or on a closed stage.
    enum class RegionClick { Outside, Opened, Closed };
    RegionClick ClassifyRegionClick() const;
    // The message code's action in an active update: the difficulty switch, a purchase, or the
    // message of a stage or survival level.
    void HandleMessageCode();
    // Reads local\<number>.xml and shows it in a one-button box or, as a question, in a
    // two-button dialog; plays the sound (0: none). A file that cannot be read ends in Popup.
    void ShowMessage(int number, bool question, int sound);
    ButtonWidget* MakeButton(int id, int x, int helpText);
    void DrawRegion(Graphics* g, int region);
    void DrawPoints(Graphics* g);
    // Leaves for the screen after saving the copy.
    void Leave(int target);
};

} // namespace Vuro
