// Window timers of the SDL event source run on the process clock: one message per interval,
// never a backlog, and none once killed.

#include "platform/EventSource.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace Vuro::Platform {
namespace {

int TimerMessages(EventSource& source, uint64_t id) {
    int count = 0;
    Message message;
    while (source.PeekMessage(message)) {
        if (message.message == kWmTimer && message.wParam == id && message.window == 7) {
            ++count;
        }
    }
    return count;
}

TEST(SdlTimerTest, ATimerSendsOneMessagePerIntervalAndStopsWhenKilled) {
    Vuro::Test::FakeClock clock;
    EventSource& source = GetEventSource();
    source.SetTimer(7, 100, 10);
    EXPECT_EQ(TimerMessages(source, 100), 0);
    clock.Advance(9);
    EXPECT_EQ(TimerMessages(source, 100), 0);
    clock.Advance(1);
    EXPECT_EQ(TimerMessages(source, 100), 1);
    clock.Advance(500);
    EXPECT_EQ(TimerMessages(source, 100), 1) << "a late timer sends one message";
    source.SetTimer(7, 100, 50); // replaces the first
    clock.Advance(10);
    EXPECT_EQ(TimerMessages(source, 100), 0);
    clock.Advance(40);
    EXPECT_EQ(TimerMessages(source, 100), 1);
    source.KillTimer(7, 100);
    clock.Advance(1000);
    EXPECT_EQ(TimerMessages(source, 100), 0);
}

} // namespace
} // namespace Vuro::Platform
