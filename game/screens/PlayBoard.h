#pragma once
// What the story board and the survival board share: a 640 x 480 widget that embeds the play
// field and the image set of its level, forwards ticks and input to the field, and runs the
// board's state machine around the play: the pause screen, the help panel, the in-game
// question, the end of the level (the end picture fading in, then the closing curtain), the
// player's record saved, the statistics screen, and the way out. BoardStory and BoardSurvive
// add their level loading, their progress rules and where they go afterwards.
//
// The state word (BoardState) is written by the board and, through their call-back, by the help
// panel (Resume), the in-game question (Resume, Quit) and the statistics screen
// (StatsClosed); the board acts on it in its next update.
//
// What a caller can rely on:
// - The board owns its help panel and its statistics screen and deletes each exactly once: the
//   help panel when it closes or is replaced, the statistics screen once it has been closed
//   (through the application's safe-delete queue) or with the board.
// - The player's record is saved after every level, won or lost, once the curtain has closed;
//   a won level first adds its score (at most 999999 in all) and the mode's progress.
// - The level ends when its time runs out or the field's time-up flag is set, on the story
//   board too, so a level whose time line holds the end code ends there.
// - Every level a board loads (the first, the next story level in place, a survival level)
//   comes from the level set of the record's difficulty, and the fruit's times follow it.
// - LoadLevel of the derived boards runs on the loading thread before the board joins the
//   widget tree, and ends with a short pause on the application's clock once the field has its
//   pictures; everything else runs on the main thread.

#include "framework/widgets/Widget.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/PlayField.h"
#include "game/rules/PlayFieldHost.h"
#include "game/screens/GameImages.h"
#include "game/screens/PlayFieldView.h"

#include <cstdint>
#include <string>

namespace Vuro {

class BoardH;
class BoardStat;
class GameHost;
class PlayerRecord;
class VuroAppBase;

class PlayBoard : public Widget {
public:
    // The board state: the values of the state word.
    enum BoardState {
        kPlay = 0,          // the level is being played
        kWait = 1,          // another widget is in front, or a switch is under way
        kResume = 2,        // close the help panel or the question and play on
        kPaused = 3,        // the pause screen; a click resumes
        kLeave = 4,         // leave for the map (or the credits)
        kCurtain = 5,       // the curtain closes
        kNextLevel = 6,     // the next level in place (story)
        kStatsClosed = 100, // the statistics screen was closed
        kQuit = 101,        // leave for the map at once
    };

    static constexpr int kCurtainStartLeft = -381;
    static constexpr int kCurtainStartRight = kFieldWidth;
    static constexpr int kEndCounterMax = 255;
    static constexpr int kMaxTotalScore = 999999;
    // The pause on the loading thread once a level's pictures are in place.
    static constexpr uint32_t kLoadedPauseMs = 300;

    explicit PlayBoard(GameHost* game);
    ~PlayBoard() override;

    // The end-of-level values back to their start; state Play.
    void ResetBoard();
    // Replaces the help panel with one showing the tip; the board waits for it.
    void ShowHelpPanel(int tip);
    // Reads a level file into the reset field; a file that cannot be opened is reported
    // through the application's Popup (fatal in the game) and answers false.
    bool ParseLevel(const std::string& fileName);

    PlayField& GetField() { return mField; }
    GameImages& GetImages() { return mImages; }
    const PlayFieldView& GetView() const { return mView; }
    VuroAppBase* GetApp() const { return mApp; }
    GameHost* GetGame() const { return mGame; }
    int GetState() const { return mState; }
    void SetState(int state) { mState = state; }
    // The level's score, shown by the statistics screen and entered in the score tables.
    int GetLevelScore() const { return mField.GetScore(); }
    virtual bool IsStory() const = 0;
    bool IsLevelOver() const { return mLevelOver; }
    bool IsGoalReachedAtEnd() const { return mGoalReachedAtEnd; }
    int GetEndCounter() const { return mEndCounter; }
    bool IsCurtainActive() const { return mCurtainActive; }
    int GetCurtainLeftX() const { return mCurtainLeftX; }
    int GetCurtainRightX() const { return mCurtainRightX; }
    BoardH* GetHelpPanel() const { return mHelpPanel; }
    // A help panel is shown (made and not yet closed).
    bool IsHelpPanelOpen() const;
    BoardStat* GetStatBoard() const { return mStatBoard; }
    // A won level's progress, written into the copy of the record before it is saved; the
    // map mode and map message the mode's rules set go to the application.
    virtual void AdvanceProgress(PlayerRecord& record) = 0;

    void Update() override;
    void Draw(Graphics* g) override;
    void GotFocus() override;
    void LostFocus() override;
    void KeyDown(int key) override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseDrag(int x, int y) override;

protected:
    // The in-game question has paused the music (the story board's is program-wide).
    virtual bool& DialogPause() = 0;
    // The cursor play goes on with after the help panel or the question.
    virtual int PlayCursor() const = 0;
    // The survival board ends its level when every tree is spent and still follows drags
    // once the level is over.
    virtual bool EndsWhenTreesBare() const { return false; }
    virtual bool FollowsDragWhenOver() const { return false; }
    // The survival board also hides the slingshot once the level is over.
    virtual bool HidesSlingshotWhenOver() const { return false; }
    // The survival board pauses on losing the focus even under the help panel (getting the
    // focus back puts it to waiting for the panel again); the story board keeps waiting.
    virtual bool PausesUnderHelpPanel() const { return false; }
    // The states that lead away; StatsClosed has already deleted the statistics screen and
    // set the map message for a lost level.
    virtual void OnLeave() = 0;
    virtual void OnNextLevel() = 0;
    virtual void OnStatsClosed() = 0;
    virtual void OnQuit() = 0;

    // Cursor n when the game's custom cursors are on.
    void CustomCursor(int cursorNum);
    // The level's pictures: the sky of the field's day flag, the scenery of pictureLevel, then
    // the set handed to the field's rules and its view. A scenery that cannot be loaded stops there
    // (the field then draws no scenery; the message was shown) and answers false.
    bool LoadLevelScenery(int pictureLevel);
    // The end of a level's loading on the loading thread, once the field has its pictures: a
    // short settling pause on the application's clock, then the arrow cursor.
    void FinishLevelLoading();
    // The copy of the current record and its store.
    PlayerRecord GetRecord() const;
    // Stops the music and starts one of the three level songs.
    void PlayLevelSong();

    VuroAppBase* mApp; // the game's framework application, not owned
    GameHost* mGame;   // the game application, not owned
    PlayField mField;
    GameImages mImages;
    PlayFieldView mView{mField}; // draws the field once the level's pictures are in place

private:
    void Resume();
    void CloseCurtain();
    void StatsClosed();
    void Play();
    void OpenInGameDialog();
    void Pause();
    // The field's tick, the end of the level and its count.
    void PlayTick();
    // The first tick without time: the result, its song, the arrow cursor.
    void EndLevel();
    void ShowStatistics();
    void DeleteHelpPanel();
    void DrawField(Graphics* g);
    void DrawEnd(Graphics* g);

    PlayFieldAppHost mHost; // sounds, music, cursor and difficulty for the field
    bool mLevelOver = false;
    bool mGoalReachedAtEnd = false;
    int mEndCounter = 0; // ticks since the time ran out; the alpha of the end picture
    bool mCurtainActive = false;
    int mCurtainLeftX = kCurtainStartLeft;
    int mCurtainRightX = kCurtainStartRight;
    BoardStat* mStatBoard = nullptr; // owned
    BoardH* mHelpPanel = nullptr;    // owned
    int mState = kPlay;
};

} // namespace Vuro
