#pragma once
// The board a story level is played on (the shared play and end of a level: PlayBoard). It
// loads the player's level on the loading thread when the screen is entered and the next one
// in place after a won level, keeps the story progress of the player's record, and leaves for
// the map, or for the credits once the last level is won.
//
// Story levels are numbered 1 to 43 in six stages (game/rules/Stages.h); the record keeps
// indexes from 0.

#include "game/rules/Stages.h"
#include "game/screens/PlayBoard.h"

namespace Vuro {

// Set while the in-game question of a story board has paused the music; cleared by Resume, by
// Quit and when a story level is loaded.
extern bool gDialogPause;

class BoardStory : public PlayBoard {
public:
    static constexpr int kLastLevelIndex = kLastStoryIndex;

    explicit BoardStory(GameHost* game);

    // Loading thread: level index n (level n + 1) with the whole image set. A level file or an
    // image set that cannot be read ends the program through the fatal error box.
    void LoadLevel(int n);
    // Main thread: the level after the record's storyLevel, in place; the fonts and sprites
    // stay loaded. Plays one of the level songs.
    void LoadNextLevel();

    // A won level at the frontier: storyReached one further and storyLevel with it, both held
    // within the first stage not yet done (storyLevel stays on the stage's last level). True
    // when nothing changed (the bound was reached).
    static bool AdvanceStoryProgress(PlayerRecord& record);
    // After the statistics screen: Leave when the goals were missed or a stage was just
    // finished that is not yet marked done, else NextLevel.
    void CheckStageEnd();

    void AdvanceProgress(PlayerRecord& record) override;
    bool IsStory() const override { return true; }

protected:
    bool& DialogPause() override { return gDialogPause; }
    int PlayCursor() const override { return 3; }
    void OnLeave() override;
    void OnNextLevel() override;
    void OnStatsClosed() override;
    void OnQuit() override;

private:
    // The field set up for story level number (file, mode, cursors); false after the fatal
    // box when the file cannot be read.
    bool ReadLevel(int number);
};

} // namespace Vuro
