// Records the demos of the whole-program tests: the game, started with "-record", is played by a
// bot that clicks through the front screens (naming the first player when the game asks) into
// the first story level, picks every ripe fruit it sees, shoots birds (the first come in level
// 3) and closes the help panel and the statistics screen.
// - story: the bot goes on level by level and ends the program once the fourth level has begun.
// - tour: once the second level has begun the bot leaves it through the in-game question for
//   the stage map, goes back to the menu, opens and closes the score board, turns the game's
//   own cursors off in the options, and leaves the game through the exit question.
// - easy: on the stage map the bot turns easy mode on through the difficulty caption's
//   question, plays the first level of the easy set to its end and ends the program once the
//   second has begun; it reports the fruit's times the game set for the level. It lets each
//   fruit hang ripe for longer than the normal set's times keep it on the tree and picks only
//   fruit still hanging, so the demo holds only while the fruit keeps easy mode's times.
// - rest: the bot leaves the game alone for kRestUpdates at the intro's start box, the menu,
//   the stage map, the first level running and the same level paused, printing "rest STAGE N"
//   with the update count at which each rest begins, and ends the program after the last
//   (bench/program_rest.py plays this demo back to measure the program at rest).
// The framework writes the demo file as for any recorded run. See README.md beside this file for
// how it is run.
//
// The bot reads the game's state (screens, play field) but acts only through the window's
// messages, as a player would; everything it does is in the demo's input records. The main
// thread never waits for the clock while no loading work runs, so a recording takes seconds:
// a demo counts update ticks, not time.

#include "framework/app/VuroAppBase.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "game/app/GameApp.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/Fruit.h"
#include "game/rules/FruitStateDurations.h"
#include "game/screens/BoardH.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardScores.h"
#include "game/screens/BoardStat.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardTitres.h"
#include "game/screens/InGameDialog.h"
#include "game/screens/OptionsDialog.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"
#include "platform/EventSource.h"
#include "platform/Process.h"
#include "tests/game/ScriptedPlayer.h"

#include <cstdio>
#include <map>
#include <string>

namespace Vuro {
namespace {

constexpr int kLevelsToPlay = 3;
constexpr int kEasyLevelsToPlay = 1;
// In easy mode a fruit is picked once it has hung ripe this long: by then the normal set's
// fruit (ripe for 300 updates, then falling) lies on the ground; easy mode's hangs 540.
constexpr int kEasyRipeUpdates = 450;
constexpr int kBirdsToShoot = 2; // a level; then the bot leaves the birds alone
constexpr int kStoneStart = 405;
constexpr int kStoneTop = 150;
constexpr int kPatienceUpdates = 40;          // between two presses on the same screen
constexpr const char* kPlayerName = "Player"; // the first start's name: Player.pf
// The menu's signposts: story, scores, options, exit.
constexpr int kStoryButtonX = 300;
constexpr int kStoryButtonY = 180;
constexpr int kScoresButtonX = 300;
constexpr int kScoresButtonY = 380;
constexpr int kOptionsButtonX = 300;
constexpr int kOptionsButtonY = 288;
constexpr int kExitButtonX = 570;
constexpr int kExitButtonY = 428;
// The length of each rest of the rest script, and the stages it rests at, in order.
constexpr int kRestUpdates = 1400;
constexpr const char* kRestStages[] = {"intro", "menu", "map", "running", "paused"};
constexpr int kRestStageCount = 5;
// The play board's menu button, which opens the in-game question.
constexpr int kBoardMenuX = 600;
constexpr int kBoardMenuY = 460;
// The stage map's difficulty caption, which asks whether to change the difficulty.
constexpr int kDifficultyCaptionX = 557;
constexpr int kDifficultyCaptionY = 405;

// What the tour still has to do, in order.
enum class Tour { Off, LeaveLevel, BackToMenu, Scores, Options, Exit, Done };

class BotEvents : public Test::ScriptedPlayer {
public:
    BotEvents(Platform::EventSource& inner, bool tour, bool easy, bool rest)
        : ScriptedPlayer(inner), mTour(tour ? Tour::LeaveLevel : Tour::Off), mEasy(easy),
          mRest(rest) {}

    // What the levels gave: fruit collected, birds shot, the score, the levels won.
    int mFruitCollected = 0;
    int mBirdsShot = 0;
    int mScore = 0;
    int mLevelsWon = 0;
    std::string mLevelScores; // each level's score, after a blank
    std::string mLevelEnds;   // the update count at which each level's record was saved
    Tour mTour;
    const bool mEasy;        // the easy set: turned on at the map
    std::string mFruitTimes; // the fruit's times in seconds while the first level was played
    const bool mRest;
    int mRestStage = 0; // the rest script's stages rested at so far

private:
    bool Patient() const { return mUpdate - mLastInput >= kPatienceUpdates; }

    // The rest script at a stage: true while the bot rests there (it then does nothing else).
    bool Resting(int stage) {
        if (!mRest || mRestStage > stage) {
            return false;
        }
        if (mRestStart < 0) {
            mRestStart = mUpdate;
            std::printf("rest %s %d\n", kRestStages[stage], mUpdate);
        }
        if (mUpdate - mRestStart < kRestUpdates) {
            return true;
        }
        mRestStart = -1;
        ++mRestStage;
        mLastInput = mUpdate - kPatienceUpdates; // acts at once
        return false;
    }

    // One decision per update, once the last one's input has been handed on.
    void Act(GameApp& app) override {
        Widget* screen = app.mCurrentScreen;
        if (screen != nullptr && screen == app.mStoryBoard) {
            RememberResult(*app.mStoryBoard); // at once: the tick the record was saved
            NoteRipeFruit(app.mStoryBoard->GetField());
        }
        if (screen == nullptr || !Patient()) {
            return;
        }
        if (screen == app.mIntro && app.mIntro->Ready()) {
            if (Resting(0)) {
                return;
            }
            Click((BoardIntro::kStartLeft + BoardIntro::kStartRight) / 2,
                  (BoardIntro::kStartTop + BoardIntro::kStartBottom) / 2);
        } else if (screen == app.mMenu) {
            if (NameThePlayer(app) || (!app.mMenu->mBusy && Resting(1))) {
                return;
            }
            if (mTour == Tour::Off || mTour == Tour::LeaveLevel) {
                Click(kStoryButtonX, kStoryButtonY);
            } else {
                TourTheMenu(app);
            }
        } else if (screen == app.mTitres) {
            Click(510, 445);
        } else if (screen == app.mMap) {
            if (Resting(2)) {
                return;
            }
            if (mTour == Tour::BackToMenu) {
                mTour = Tour::Scores;
                Click(*app.mMap->mBackButton);
            } else if (mEasy && app.mMap->mRecord.easyMode == 0) {
                TurnEasyModeOn(app);
            } else {
                Click(*app.mMap->mPlayButton);
            }
        } else if (screen == app.mStoryBoard) {
            Play(app, *app.mStoryBoard);
        }
    }

    // A first start asks for the player's name before the menu takes a click: the bot types it
    // into the question, accepts it and closes the profile dialog. False when no dialog is up.
    bool NameThePlayer(GameApp& app) {
        auto* question = dynamic_cast<SimpleDialog*>(app.GetDialog(SimpleDialog::kDialogId));
        if (question != nullptr && question->mEdit != nullptr) {
            const std::string name = kPlayerName;
            const size_t typed = question->mEdit->mText.size();
            if (typed < name.size()) {
                TypeChar(name[typed]);
            } else {
                Click(*question->mAcceptButton);
            }
            return true;
        }
        if (auto* profiles =
                dynamic_cast<ProfileDialog*>(app.GetDialog(ProfileDialog::kDialogId))) {
            Click(*profiles->mOkButton);
            return true;
        }
        return false;
    }

    // The difficulty caption, then the yes of its question; the map switches at its next update.
    void TurnEasyModeOn(GameApp& app) {
        if (auto* question = dynamic_cast<SimpleDialog*>(app.GetDialog(0))) {
            Click(*question->mAcceptButton);
        } else if (app.mMap->mMessageCode == 0) {
            Click(kDifficultyCaptionX, kDifficultyCaptionY);
        }
    }

    // The score board, the options and the exit question, each opened and closed in turn.
    void TourTheMenu(GameApp& app) {
        BoardMenu& menu = *app.mMenu;
        if (menu.mScoreBoard != nullptr) {
            Click(*menu.mScoreBoard->mBackButton);
        } else if (auto* options =
                       dynamic_cast<OptionsDialog*>(app.GetDialog(OptionsDialog::kDialogId))) {
            // The game's own cursors off, written to the settings by the button.
            if (options->mCursorBox->mChecked) {
                Click(*options->mCursorBox);
            } else {
                Click(*options->mYesButton);
            }
        } else if (auto* question =
                       dynamic_cast<SimpleDialog*>(app.GetDialog(SimpleDialog::kDialogId))) {
            mTour = Tour::Done;
            Click(*question->mAcceptButton);
        } else if (menu.mBusy) {
            return;
        } else if (mTour == Tour::Scores) {
            mTour = Tour::Options;
            Click(kScoresButtonX, kScoresButtonY);
        } else if (mTour == Tour::Options) {
            mTour = Tour::Exit;
            Click(kOptionsButtonX, kOptionsButtonY);
        } else if (mTour == Tour::Exit) {
            Click(kExitButtonX, kExitButtonY);
        }
    }

    // The in-game question's leave button, once the board's menu button has opened it.
    void LeaveLevel(GameApp& app, BoardStory& board) {
        if (auto* question = dynamic_cast<InGameDialog*>(app.GetDialog(0))) {
            mTour = Tour::BackToMenu;
            Click(*question->mLeaveButton);
        } else if (board.GetState() == PlayBoard::kPlay) {
            Click(kBoardMenuX, kBoardMenuY);
        }
    }

    void Play(GameApp& app, BoardStory& board) {
        PlayField& field = board.GetField();
        if (mTour == Tour::LeaveLevel && field.GetLevel() > 1) {
            LeaveLevel(app, board);
            return;
        }
        if (field.GetLevel() > (mEasy ? kEasyLevelsToPlay : kLevelsToPlay)) {
            // The next level began in place: the recording ends here.
            Close();
            return;
        }
        if (board.IsHelpPanelOpen()) {
            if (BoardH::GetDelay() >= 1) {
                Click(300, 230);
            }
            return;
        }
        if (BoardStat* stat = board.GetStatBoard(); stat != nullptr && stat->mWidgetManager) {
            Click(*stat->GetOkButton());
            return;
        }
        if (mRest) {
            RestInLevel(board);
            return;
        }
        if (board.GetState() != PlayBoard::kPlay || board.IsLevelOver()) {
            return;
        }
        if (mFruitTimes.empty()) {
            mFruitTimes = "ripe " + std::to_string(FruitStateDurations(Fruit::Ripe)) +
                          ", on the ground " +
                          std::to_string(FruitStateDurations(Fruit::OnGround)) + ", rotting " +
                          std::to_string(FruitStateDurations(Fruit::Rotting));
        }
        if (ShootBird(field) || PickFruit(field)) {
            return;
        }
    }

    // The level left running, then paused with the space bar, then the end of the recording.
    void RestInLevel(BoardStory& board) {
        const int state = board.GetState();
        if (mRestStage == 3) {
            if (state == PlayBoard::kPlay && !Resting(3)) {
                PressKey(Platform::kVkSpace, ' ');
            }
        } else if (mRestStage == 4) {
            if (state == PlayBoard::kPaused) {
                (void)Resting(4);
            }
        } else {
            Close();
        }
    }

    bool ShootBird(PlayField& field) {
        int stats[PlayField::kCounterCount];
        field.GetStats(stats);
        int shot = stats[8] + stats[10] + stats[12] + stats[14];
        if (shot >= kBirdsToShoot) {
            return false;
        }
        for (const Bird& bird : field.GetBirds()) {
            // Stones fly from the slingshot up to y 150.
            bool coming =
                bird.GetState() >= Bird::FlyingRight && bird.GetState() <= Bird::AtFruitFlyingRight;
            if (bird.IsLeaveAfterHit() || !coming || bird.GetBottom() < kStoneTop ||
                bird.GetY() > kStoneStart) {
                continue;
            }
            int x = (bird.GetX() + bird.GetRightEdge()) / 2;
            int y = (bird.GetY() + bird.GetBottom()) / 2;
            if (field.IsAimingAtBird() && field.IsSlingshotReady()) {
                Click(x, y);
            } else {
                MoveTo(x, y);
            }
            return true;
        }
        return false;
    }

    // Every update: when each fruit hanging ripe was first seen so (easy mode).
    void NoteRipeFruit(const PlayField& field) {
        if (!mEasy) {
            return;
        }
        for (const Fruit& fruit : field.GetFruit()) {
            if (fruit.GetState() == Fruit::Ripe && !fruit.IsFalling()) {
                mRipeSince.try_emplace(fruit.GetCellId(), mUpdate);
            }
        }
    }

    // Easy mode: a fruit that has hung ripe for kEasyRipeUpdates and hangs still.
    bool RipeLongEnough(const Fruit& fruit) const {
        auto seen = mRipeSince.find(fruit.GetCellId());
        return fruit.GetState() == Fruit::Ripe && !fruit.IsFalling() && seen != mRipeSince.end() &&
               mUpdate - seen->second >= kEasyRipeUpdates;
    }

    bool PickFruit(PlayField& field) {
        for (const Fruit& fruit : field.GetFruit()) {
            int state = fruit.GetState();
            bool collectable =
                mEasy ? RipeLongEnough(fruit) : state == Fruit::Ripe || state == Fruit::OnGround;
            if (collectable && fruit.GetY() + 8 >= kFirstPickRow) {
                Click(fruit.GetX() + 8, fruit.GetY() + 8);
                return true;
            }
        }
        return false;
    }

    // Once a level, when its statistics screen is up.
    void RememberResult(BoardStory& board) {
        BoardStat* stat = board.GetStatBoard();
        if (stat == nullptr || board.GetField().GetLevel() == mLevelRemembered) {
            return;
        }
        mLevelRemembered = board.GetField().GetLevel();
        int stats[PlayField::kCounterCount];
        board.GetField().GetStats(stats);
        mFruitCollected += stats[0] + stats[2] + stats[4] + stats[6];
        mBirdsShot += stats[8] + stats[10] + stats[12] + stats[14];
        mScore += board.GetLevelScore();
        mLevelScores += " " + std::to_string(board.GetLevelScore());
        mLevelEnds += " " + std::to_string(mUpdate);
        mLevelsWon += board.IsGoalReachedAtEnd() ? 1 : 0;
    }

    int mLevelRemembered = 0;
    std::map<int, int> mRipeSince; // a fruit's cell id: the update it was first seen ripe
    int mRestStart = -1;           // the update the current rest began; -1 none
};

} // namespace
} // namespace Vuro

int main(int argc, char** argv) {
    std::string script = argc == 3 ? argv[1] : "";
    if (script != "story" && script != "tour" && script != "easy" && script != "rest") {
        std::fprintf(stderr, "usage: %s story|tour|easy|rest DEMOFILE (an absolute path)\n",
                     argv[0]);
        return 2;
    }
    const bool tour = script == "tour";
    const bool easy = script == "easy";
    const bool rest = script == "rest";
    std::string demoOption = std::string("-demofile=") + argv[2];
    const char* args[] = {argv[0], "-record", demoOption.c_str()};
    Vuro::Platform::SetCommandLineArgs(3, args);
    Vuro::Test::HurriedClock clock;
    Vuro::BotEvents bot(Vuro::Platform::GetEventSource(), tour, easy, rest);
    Vuro::Test::PlayGame(bot);
    std::printf("levels won %d, fruit collected %d, birds shot %d, score %d\n"
                "kLevelScores:%s\nkLevelEnds:%s\nfruit seconds: %s\n",
                bot.mLevelsWon, bot.mFruitCollected, bot.mBirdsShot, bot.mScore,
                bot.mLevelScores.c_str(), bot.mLevelEnds.c_str(), bot.mFruitTimes.c_str());
    bool usable =
        rest   ? bot.mRestStage == Vuro::kRestStageCount
        : tour ? bot.mTour == Vuro::Tour::Done && bot.mLevelsWon == 1
        : easy ? bot.mClosed && bot.mLevelsWon == Vuro::kEasyLevelsToPlay && bot.mFruitCollected > 0
               : bot.mClosed && bot.mLevelsWon == Vuro::kLevelsToPlay && bot.mFruitCollected > 0 &&
                     bot.mBirdsShot > 0;
    return usable ? 0 : 1;
}
