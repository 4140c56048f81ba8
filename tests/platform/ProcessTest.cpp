#include "platform/Process.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "support/ExitTrap.h"

#include <gtest/gtest.h>

#include <string>

namespace Vuro::Platform {
namespace {

TEST(ProcessTest, ATrappedExitReportsItsCode) {
    Vuro::Test::ExitTrap trap;
    try {
        ExitProcess(3);
        FAIL() << "the process went on";
    } catch (const Vuro::Test::ExitCalled& exit) {
        EXPECT_EQ(exit.code, 3);
    }
}

TEST(ProcessTest, TheProductVersionIsTheBuildSetting) {
    EXPECT_EQ(ProductVersion(), VURO_PRODUCT_VERSION_TEXT);
}

std::string gSeen;
void Capture(std::string_view text) {
    gSeen += text;
}

TEST(ProcessTest, DebugOutputReachesAnInstalledSink) {
    gSeen.clear();
    DebugOutputSink previous = SetDebugOutputSink(&Capture);
    DebugOutput("Draw Count    = 3\r\n");
    SetDebugOutputSink(previous);
    DebugOutput("not seen");
    EXPECT_EQ(gSeen, "Draw Count    = 3\r\n");
}

TEST(MessagesTest, PointsPackAsSignedHalves) {
    int64_t param = MakePointParam(-5, 700);
    EXPECT_EQ(PointParamX(param), -5);
    EXPECT_EQ(PointParamY(param), 700);
    EXPECT_EQ(MakePointParam(1, 2), 0x00020001);
    EXPECT_EQ(WheelParamDelta(MakeWheelParam(-240, kMkShift)), -240);
    EXPECT_EQ(MakeWheelParam(120, 0), 0x00780000u);
}

TEST(MessagesTest, TheNumbersAreTheOnesDemoFilesStore) {
    EXPECT_EQ(kWmClose, 0x0010u);
    EXPECT_EQ(kWmTimer, 0x0113u);
    EXPECT_EQ(kWmMouseMove, 0x0200u);
    EXPECT_EQ(kWmMouseWheel, 0x020Au);
    EXPECT_EQ(kWmKeyDown, 0x0100u);
    EXPECT_EQ(kWmChar, 0x0102u);
    EXPECT_EQ(kVkF1 + 9, 0x79);
}

TEST(MessageBoxTest, TheDefaultAnswerIsTheFirstButtonUnlessAskedOtherwise) {
    EXPECT_EQ(DefaultMessageBoxAnswer(kMbOk | kMbIconError), kIdOk);
    EXPECT_EQ(DefaultMessageBoxAnswer(kMbYesNo | kMbIconQuestion), kIdYes);
    EXPECT_EQ(DefaultMessageBoxAnswer(kMbYesNo | kMbDefButton2), kIdNo);
    EXPECT_EQ(DefaultMessageBoxAnswer(kMbOkCancel), kIdOk);
    EXPECT_EQ(DefaultMessageBoxAnswer(kMbOkCancel | kMbDefButton2), kIdCancel);
}

} // namespace
} // namespace Vuro::Platform
