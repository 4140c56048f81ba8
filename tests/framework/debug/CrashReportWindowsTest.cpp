// The crash windows drawn with the framework's widgets: the error window's picture against a
// reviewed golden, the buttons each layout offers, the user's text carried to the upload, the
// progress dots on the clock, and an abort that ends the loop.

#include "framework/debug/CrashReportWindows.h"
#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashTextBox.h"
#include "framework/debug/CrashWindow.h"
#include "framework/fonts/SysFont.h"
#include "framework/widgets/WidgetSysFont.h"
#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/FakeWindowSystem.h"
#include "support/FixedWidthFont.h"
#include "support/GoldenImage.h"
#include "support/ScriptedEvents.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace Vuro::Test {
namespace {

using Platform::MakePointParam;
using Platform::Message;

class PlainApp : public VuroAppBase {
public:
    PlainApp() { mOnlyAllowOneCopyToRun = false; }
    bool OnChangeDirectory(const std::string&) override { return true; }
};

// The faces setup.sh always installs, so the golden does not depend on which near match of
// Tahoma, Arial or Courier New a machine happens to have.
Font* DejaVuFonts(const SysFontRequest& request) {
    const bool mono = request.mFace == "Courier New";
    return new SysFont(gVuroApp, mono ? "DejaVu Sans Mono" : "DejaVu Sans", request.mPointSize, 0,
                       request.mBold);
}

const std::string kReport = "Exception: Access Violation (code 0xc0000005) at address 00401A2C "
                            "in thread 2A\r\nModule: quandrellis\r\nLogical Address: "
                            "0001:00000A2C\r\n\r\n00007FF8 00401A2C PlayField::Update+0x1C\r\n"
                            "    game/core/PlayField.cpp line 212 +0x4\r\n";

CrashReportState State(const std::string& host, const std::string& title,
                       const std::string& report) {
    CrashReportState state;
    state.host = host;
    state.errorTitle = title;
    state.errorText = report;
    return state;
}

// Scripted messages that also let the test look at the windows when one is taken.
class WatchedEvents : public ScriptedEvents {
public:
    bool PeekMessage(Message& message) override {
        if (!ScriptedEvents::PeekMessage(message)) {
            return false;
        }
        if (mOnPeek) {
            mOnPeek(message);
        }
        return true;
    }
    std::function<void(const Message&)> mOnPeek;
};

class CrashReportWindowsTest : public ::testing::Test {
protected:
    CrashReportWindowsTest() : mOldMaker(SetSysFontMaker(&DejaVuFonts)) {}
    ~CrashReportWindowsTest() override { SetSysFontMaker(mOldMaker); }

    // Ids count the windows made, from 1.
    uint32_t NextWindowId() const { return static_cast<uint32_t>(mWindows.mCreated) + 1; }
    // Window ids in the order the windows are made: error, details, progress.
    uint32_t Id(int order) const { return mFirstId + static_cast<uint32_t>(order); }
    void Click(int order, int x, int y) {
        mEvents.Add({Id(order), Platform::kWmMouseMove, 0, MakePointParam(x, y)});
        mEvents.Add(
            {Id(order), Platform::kWmLButtonDown, Platform::kMkLButton, MakePointParam(x, y)});
        mEvents.Add({Id(order), Platform::kWmLButtonUp, 0, MakePointParam(x, y)});
    }
    void Type(int order, const std::string& text) {
        for (char c : text) {
            mEvents.Add({Id(order), Platform::kWmChar, static_cast<unsigned char>(c), 1});
        }
    }

    SysFontMaker mOldMaker;
    FakeClock mClock;
    WatchedEvents mEvents;
    FakeWindowSystem mWindows;
    FakeNetwork mNetwork;
    StackApp<PlainApp> mApp;
    uint32_t mFirstId = 1;
};

TEST_F(CrashReportWindowsTest, TheErrorWindowLooksAsReviewed) {
    CrashReportWindows windows(mApp,
                               State("reports.example", "Exception at 0001:00000A2C", kReport));
    mEvents.Add({Id(0), Platform::kWmClose, 0, 0});
    windows.Run();
    ASSERT_EQ(mWindows.mCreated, 1);
    EXPECT_EQ(mWindows.LastWindow()->mParams.title, "Fatal Error!");
    DDImage& picture = windows.GetErrorWindow()->Picture();
    ASSERT_EQ(picture.mWidth, 400);
    ASSERT_EQ(picture.mHeight, 300);
    EXPECT_TRUE(MatchesGolden(picture.GetBits(), 400, 300,
                              GoldenPath("framework/debug/golden/crash_error_window.png")));
}

// Where the buttons are: one "Close Now" across the window without a server, "Send Report"
// and "Close Now" side by side with one. A click at x 300 hits "Close Now" in both; one at
// x 100 hits it only when it is alone. A close a second later ends a run the click did not.
TEST_F(CrashReportWindowsTest, TheButtonsFollowTheServerSetting) {
    enum Outcome { kClosedAtOnce, kDetailsShown };
    struct Case {
        std::string host;
        int clickX;
        Outcome outcome;
    };
    for (const Case& c : {Case{"", 100, kClosedAtOnce}, Case{"", 300, kClosedAtOnce},
                          Case{"reports.example", 300, kClosedAtOnce},
                          Case{"reports.example", 100, kDetailsShown}}) {
        mFirstId = NextWindowId();
        const int madeBefore = mWindows.mCreated;
        const uint32_t start = mClock.TickMs();
        CrashReportWindows windows(mApp, State(c.host, "t", kReport));
        Click(0, c.clickX, 280);
        mEvents.AddAt(start + 1000, {Id(0), Platform::kWmClose, 0, 0});
        windows.Run();
        const bool closedAtOnce = mClock.TickMs() - start < 1000;
        EXPECT_EQ(closedAtOnce, c.outcome == kClosedAtOnce) << c.host << " " << c.clickX;
        EXPECT_EQ(mWindows.mCreated - madeBefore, c.outcome == kDetailsShown ? 2 : 1);
        Message left;
        while (mEvents.PeekMessage(left) || mEvents.Waiting() > 0) {
            mClock.Advance(1000);
        }
    }
}

// Send Report, a description typed (with a line break and a correction), Continue: the
// progress window counts its dots on the clock while the server has not answered, and closing
// it aborts the upload, which ends the loop.
TEST_F(CrashReportWindowsTest, TheUserTextIsSentAndTheDotsCountTheSeconds) {
    mNetwork.mHold = true;
    CrashReportWindows windows(mApp, State("127.0.0.1:8080", "t", kReport));
    Click(0, 100, 280);
    Type(1, "it froze");
    mEvents.Add({Id(1), Platform::kWmKeyDown, Platform::kVkReturn, 1});
    Type(1, "on level 3x");
    mEvents.Add({Id(1), Platform::kWmKeyDown, Platform::kVkBack, 1});
    Click(1, 100, 280);
    const uint32_t start = mClock.TickMs();
    mEvents.AddAt(start + 13005, {Id(2), Platform::kWmClose, 0, 0});
    std::string textAtClose;
    mEvents.mOnPeek = [&](const Message& m) {
        if (m.message == Platform::kWmClose) {
            // The upload's worker runs on its own schedule while the fake time races ahead: the
            // close is taken once it has sent the request and waits for the held answer
            // (bounded in real time), as it would have within the 13 seconds of a real run.
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (mNetwork.mReadWaits == 0 && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
            textAtClose = windows.GetProgressText();
        }
    };
    windows.Run();

    EXPECT_EQ(windows.GetState().userText, "it froze\r\non level 3");
    ASSERT_NE(windows.GetProgressWindow(), nullptr);
    EXPECT_EQ(mWindows.LastWindow()->mParams.title, "Submitting Report");
    EXPECT_EQ(textAtClose, "Please Wait . . .");
    EXPECT_FALSE(windows.GetDetailsWindow()->IsShown());
    EXPECT_NE(mNetwork.Sent().find("it froze\r\non level 3"), std::string::npos);
}

TEST(CrashTextBox, WrapsAtBlanksAndCutsWordsWiderThanTheBox) {
    StackApp<PlainApp> app;
    Testing::FixedWidthFont font(6); // 6 pixels a character
    CrashTextBox box(&font, false, false, false);
    box.Resize(0, 0, 64, 100); // 60 pixels of text: 10 characters
    box.SetText("one two three four\r\nabcdefghijklmn\r\n\r\nend");
    EXPECT_EQ(box.GetShownLines(),
              (std::vector<std::string>{"one two", "three four", "abcdefghij", "klmn", "", "end"}));
}

} // namespace
} // namespace Vuro::Test
