#pragma once
// The board a survival level is played on: the twin of the story board (PlayBoard) for one
// survival level a visit. It also ends when every tree is spent, keeps the survival progress
// of the player's record (survival level s + 1 opens only once story stage s is done), tells
// the stage map what happened through the map message, and always leaves for the map, or for
// the credits once the last survival level is won.

#include "game/rules/Stages.h"
#include "game/screens/PlayBoard.h"

namespace Vuro {

class BoardSurvive : public PlayBoard {
public:
    static constexpr int kLastLevelIndex = kLastSurvivalIndex;

    explicit BoardSurvive(GameHost* game);

    // Loading thread: survival level index n (level n + 1). Its scenery is that of a story
    // level near the player's story progress, within the stage of the survival level.
    void LoadLevel(int n);
    // The story level whose pictures survival level s shows to a player who reached story
    // index storyReached.
    static int PictureLevel(int s, int storyReached);

    void AdvanceProgress(PlayerRecord& record) override;
    bool IsStory() const override { return false; }

protected:
    bool& DialogPause() override { return mPausedByDialog; }
    int PlayCursor() const override { return 0; }
    bool EndsWhenTreesBare() const override { return true; }
    bool FollowsDragWhenOver() const override { return true; }
    bool HidesSlingshotWhenOver() const override { return true; }
    bool PausesUnderHelpPanel() const override { return true; }
    void OnLeave() override { LeaveBoard(); }
    void OnNextLevel() override { LeaveBoard(); }
    void OnStatsClosed() override { LeaveBoard(); }
    void OnQuit() override { LeaveBoard(); }

private:
    void LeaveBoard();

    bool mPausedByDialog = false; // the in-game question has paused the music
};

} // namespace Vuro
