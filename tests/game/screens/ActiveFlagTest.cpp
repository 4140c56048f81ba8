// The application's active flag as the screens see it: a minimised window stops the update of
// every screen (intro, menu, loading screen, stage map, statistics, score table, credits), and
// the restored window starts them again.

#include "MapFixture.h"

#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardScores.h"
#include "game/screens/BoardStat.h"
#include "game/screens/BoardTitres.h"
#include "platform/Messages.h"

#include <functional>

namespace Vuro::Test {
namespace {

class ActiveFlagTest : public MapFixture {
protected:
    // The window's size message, as the platform sends it, handed on by the input dispatch.
    void SendSize(uint64_t kind) {
        mApp->WindowProc(Platform::Message{mApp->mMainWindow->Id(), Platform::kWmSize, kind, 0});
        while (mApp->DispatchQueuedInput(true)) {
        }
    }
};

TEST_F(ActiveFlagTest, AMinimisedWindowStopsEveryScreenAndTheRestoredOneStartsThemAgain) {
    // At the menu, whose art the map, the score table and the credits draw; the statistics of
    // a board that has loaded no level.
    BoardStory board(mApp.get());
    int boardState = PlayBoard::kWait;
    int menuState = 0;
    BoardStat stat(&board, StoreIn(boardState));
    BoardScores scores(mApp->mMenu, StoreIn(menuState));
    BoardTitres titres(mApp.get(), mApp->mMenu);
    BoardIntro intro(mApp.get());
    BoardLoading loading(mApp.get(), 0);
    BoardMap& map = MakeMap(true);
    BoardMenu& menu = *mApp->mMenu;
    // Each screen's update, and whether it ran as an active one: what it moves or redraws.
    struct Screen {
        const char* name;
        Widget* widget;
        std::function<bool()> ran;
    };
    const Screen screens[] = {
        {"statistics", &stat, [&] { return stat.mDirty; }},
        {"score table", &scores, [&] { return scores.mDirty; }},
        {"credits", &titres, [&] { return titres.mDirty; }},
        {"stage map", &map, [&] { return map.mDirty; }},
        {"intro", &intro, [&] { return intro.mDirty; }},
        {"loading", &loading, [&] { return loading.mDirty; }},
        {"menu", &menu, [&] { return menu.mSkyStrips[0].mX != 0; }},
    };
    auto runEach = [&](bool expectRan) {
        for (const Screen& screen : screens) {
            SCOPED_TRACE(screen.name);
            screen.widget->mDirty = false;
            menu.mSkyStrips[0].mX = 0;
            for (int update = 0; update < 12; ++update) { // the sky moves every 12 updates
                ++mApp->mUpdateCount;
                screen.widget->Update();
            }
            EXPECT_EQ(screen.ran(), expectRan);
        }
    };
    runEach(true);

    SendSize(Platform::kSizeMinimized);
    EXPECT_TRUE(mApp->mActive) << "the window keeps its activation";
    runEach(false);

    SendSize(Platform::kSizeRestored);
    runEach(true);
}

} // namespace
} // namespace Vuro::Test
