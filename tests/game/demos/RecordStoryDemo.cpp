// Records the demo of the whole-program test: the game, started with "-record", is played by a
// bot that clicks through the front screens (naming the first player when the game asks) into
// the first story level, picks every ripe fruit it sees, shoots birds (the first come in level
// 3), closes the help panel and the statistics screen, goes on level by level and ends the
// program once the fourth level has begun. The
// framework writes the demo file as for any recorded run. See README.md beside this file for
// how it is run.
//
// The bot reads the game's state (screens, play field) but acts only through the window's
// messages, as a player would; everything it does is in the demo's input records. The main
// thread never waits for the clock while no loading work runs, so a recording takes seconds:
// a demo counts update ticks, not time.

#include "framework/app/VuroAppBase.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "game/core/BoardH.h"
#include "game/core/BoardStory.h"
#include "game/core/GameApp.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStat.h"
#include "game/screens/BoardTitres.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"
#include "platform/EventSource.h"
#include "platform/Process.h"
#include "tests/game/ScriptedPlayer.h"

#include <cstdio>
#include <string>

namespace Vuro {
namespace {

constexpr int kPickTop = 200; // the field picks fruit only below this line
constexpr int kLevelsToPlay = 3;
constexpr int kBirdsToShoot = 2; // a level; then the bot leaves the birds alone
constexpr int kStoneStart = 405;
constexpr int kStoneTop = 150;
constexpr int kPatienceUpdates = 40;          // between two presses on the same screen
constexpr const char* kPlayerName = "Player"; // the first start's name: data/Player.pf
constexpr int kStoryButtonX = 300;
constexpr int kStoryButtonY = 180;

class BotEvents : public Test::ScriptedPlayer {
public:
    explicit BotEvents(Platform::EventSource& inner) : ScriptedPlayer(inner) {}

    // What the levels gave: fruit collected, birds shot, the score, the levels won.
    int mFruitCollected = 0;
    int mBirdsShot = 0;
    int mScore = 0;
    int mLevelsWon = 0;
    std::string mLevelScores; // each level's score, after a blank
    std::string mLevelEnds;   // the update count at which each level's record was saved

private:
    bool Patient() const { return mUpdate - mLastInput >= kPatienceUpdates; }

    // One decision per update, once the last one's input has been handed on.
    void Act(GameApp& app) override {
        Widget* screen = app.mCurrentScreen;
        if (screen != nullptr && screen == app.mStoryBoard) {
            RememberResult(*app.mStoryBoard); // at once: the tick the record was saved
        }
        if (screen == nullptr || !Patient()) {
            return;
        }
        if (screen == app.mIntro && app.mIntro->Ready()) {
            Click((BoardIntro::kStartLeft + BoardIntro::kStartRight) / 2,
                  (BoardIntro::kStartTop + BoardIntro::kStartBottom) / 2);
        } else if (screen == app.mMenu) {
            if (!NameThePlayer(app)) {
                Click(kStoryButtonX, kStoryButtonY);
            }
        } else if (screen == app.mTitres) {
            Click(510, 445);
        } else if (screen == app.mMap) {
            Click(570, 455);
        } else if (screen == app.mStoryBoard) {
            Play(*app.mStoryBoard);
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

    void Play(BoardStory& board) {
        PlayField& field = board.GetField();
        if (field.GetLevel() > kLevelsToPlay) {
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
        if (board.GetState() != PlayBoard::kPlay || board.IsLevelOver()) {
            return;
        }
        if (ShootBird(field) || PickFruit(field)) {
            return;
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

    bool PickFruit(PlayField& field) {
        for (const Fruit& fruit : field.GetFruit()) {
            int state = fruit.GetState();
            bool collectable = state == Fruit::Ripe || state == Fruit::OnGround;
            if (collectable && fruit.GetY() + 8 > kPickTop) {
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
        mScore += board.GetStageSum();
        mLevelScores += " " + std::to_string(board.GetStageSum());
        mLevelEnds += " " + std::to_string(mUpdate);
        mLevelsWon += board.IsGoalReachedAtEnd() ? 1 : 0;
    }

    int mLevelRemembered = 0;
};

} // namespace
} // namespace Vuro

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DEMOFILE (an absolute path)\n", argv[0]);
        return 2;
    }
    std::string demoOption = std::string("-demofile=") + argv[1];
    const char* args[] = {argv[0], "-record", demoOption.c_str()};
    Vuro::Platform::SetCommandLineArgs(3, args);
    Vuro::Test::HurriedClock clock;
    Vuro::BotEvents bot(Vuro::Platform::GetEventSource());
    Vuro::Test::PlayGame(bot);
    std::printf("levels won %d, fruit collected %d, birds shot %d, score %d\n"
                "kLevelScores:%s\nkLevelEnds:%s\n",
                bot.mLevelsWon, bot.mFruitCollected, bot.mBirdsShot, bot.mScore,
                bot.mLevelScores.c_str(), bot.mLevelEnds.c_str());
    bool usable = bot.mClosed && bot.mLevelsWon == Vuro::kLevelsToPlay && bot.mFruitCollected > 0 &&
                  bot.mBirdsShot > 0;
    return usable ? 0 : 1;
}
