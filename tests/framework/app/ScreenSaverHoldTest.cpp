// The screen-saver hold on its own, on plain clock values and desktop answers: when the hold
// starts and lifts, how often settings are taken, and what ends the application's own saver.

#include "framework/app/ScreenSaverHold.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Platform::Message;
using Platform::ScreenSaverInfo;

TEST(ScreenSaverHoldTest, TheHoldStartsPastTheSaversTimeLessTwoSecondsAndLiftsOnInput) {
    struct Step {
        uint32_t now;
        int timeoutSeconds; // what the desktop tells now (taken only every 10 s)
        uint32_t idleMs;
        bool running;
        bool hold;
        bool lifted;
    };
    // A 60 s saver: the hold is due past 58 s idle.
    const Step kSteps[] = {
        {1000, 60, 57000, false, false, false},
        {2000, 5, 59000, false, true, false}, // the 5 s setting waits for its 10 s
        {3000, 5, 59500, true, true, false},  // the saver runs
        {4000, 5, 100, true, true, false},    // input, but the saver still runs
        {5000, 5, 100, false, false, true},   // the saver has ended: lifted
        {11000, 5, 3500, false, true, false}, // now the 5 s setting counts: 3 s
        {12000, 5, 0, false, false, true},    // input: lifted
        {21000, 0, 1500, false, true, false}, // a timeout below 3 s holds past 1 s idle
    };
    ScreenSaverHold hold;
    for (const Step& step : kSteps) {
        ScreenSaverInfo info;
        info.settingsKnown = true;
        info.timeoutSeconds = step.timeoutSeconds;
        info.enabled = true;
        info.idleKnown = true;
        info.idleMs = step.idleMs;
        info.running = step.running;
        EXPECT_EQ(hold.ApplyIdle(step.now, true, info), step.lifted) << step.now;
        EXPECT_EQ(hold.mScreenSaverHold, step.hold) << step.now;
    }
    // A saver turned off lifts the hold at the next settings read, without a redraw of its own.
    ScreenSaverInfo off;
    hold.mScreenSaverHold = true;
    EXPECT_FALSE(hold.ApplyIdle(31000, true, off));
    EXPECT_FALSE(hold.mScreenSaverHold);

    EXPECT_TRUE(hold.IdleCheckDue(32000));
    EXPECT_FALSE(hold.IdleCheckDue(32999));
    EXPECT_TRUE(hold.IdleCheckDue(33000));
}

TEST(ScreenSaverHoldTest, TheSaverSwallowsThreeMovesAndEndsOnTheFourthOrOnAPress) {
    using namespace Platform;
    struct Input {
        Message message;
        bool swallowed;
        bool ends;
    };
    const Input kInputs[] = {
        {{1, kWmMouseMove, 0, MakePointParam(10, 10)}, false, false}, // where it was
        {{1, kWmMouseMove, 0, MakePointParam(11, 10)}, true, false},
        {{1, kWmMouseMove, 0, MakePointParam(12, 10)}, true, false},
        {{1, kWmActivateApp, 1, 0}, false, false},
        {{1, kWmKeyUp, 65, 0}, false, false},
        {{1, kWmMouseMove, 0, MakePointParam(13, 10)}, true, false},
        {{1, kWmMouseMove, 0, MakePointParam(14, 10)}, false, true},
        {{1, kWmKeyDown, 65, 0}, false, true},
        {{1, kWmRButtonDown, 0, 0}, false, true},
        {{1, kWmClose, 0, 0}, false, true},
        {{1, kWmActivateApp, 0, 0}, false, true},
    };
    ScreenSaverHold hold;
    hold.mScreenSaverMouseX = 10;
    hold.mScreenSaverMouseY = 10;
    for (const Input& input : kInputs) {
        ScreenSaverHold::SaverInput result = hold.JudgeSaverInput(input.message);
        EXPECT_EQ(result.swallowed, input.swallowed) << &input - kInputs;
        EXPECT_EQ(result.ends, input.ends) << &input - kInputs;
    }
}

} // namespace
} // namespace Vuro
