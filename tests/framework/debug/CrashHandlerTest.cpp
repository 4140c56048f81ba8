// The crash reporter: the report for a made-up fault, line by line; the application's hooks
// and their order; a demo being recorded closed with a filler record and written; the
// reporting flag; the fault filter installed and put back; one real fault in a child process.

#include "framework/debug/CrashHandler.h"
#include "framework/app/VuroAppBase.h"
#include "platform/FaultHandler.h"
#include "platform/Process.h"
#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedEvents.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace Vuro::Test {
namespace {

class CrashTestApp : public VuroAppBase {
public:
    CrashTestApp() { mOnlyAllowOneCopyToRun = false; }
    bool OnChangeDirectory(const std::string&) override { return true; }
    void OnCrash() override {
        calls.push_back("OnCrash");
        reportingDuringOnCrash = CrashHandler::IsReportingCrash();
        VuroAppBase::OnCrash();
    }
    std::string GetCrashInfo() override {
        calls.push_back("GetCrashInfo");
        return crashInfo;
    }
    std::string GetExtraCrashText() override {
        calls.push_back("GetExtraCrashText");
        return extraCrashText;
    }

    std::vector<std::string> calls;
    bool reportingDuringOnCrash = false;
    std::string crashInfo = "Product: Garden\r\n";
    std::string extraCrashText;
};

Platform::FaultRecord MadeUpFault(uint32_t code) {
    Platform::FaultRecord fault;
    fault.code = code;
    fault.address = 0x1234; // inside no module
    fault.threadId = 0x2A;
    Platform::FaultRegisters& r = fault.registers;
    r.ax = 1;
    r.bx = 2;
    r.cx = 3;
    r.dx = 4;
    r.si = 5;
    r.di = 6;
    r.ip = 0x1234;
    r.sp = 0x7FF0;
    r.bp = 0x7FF8;
    r.cs = 0x33;
    r.ss = 0x2B;
    r.flags = 0x10246;
    return fault;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CrashHandlerTest : public ::testing::Test {
protected:
    std::string ExpectedReportBody() {
        return "Module: \r\n"
               "Logical Address: 0000:00000000\r\n"
               "\r\n"
               "00001234  00007FF8  0000:00000000 \r\n"
               "\r\n"
               "EAX:00000001 EBX:00000002 ECX:00000003 EDX:00000004 ESI:00000005 EDI:00000006\r\n"
               "EIP:00001234 ESP:00007FF0  EBP:00007FF8\r\n"
               "CS:0033 SS:002B DS:0000 ES:0000 FS:0000 GS:0000\r\n"
               "Flags:00010246\r\n"
               "\r\n"
               "System: " +
               Platform::SystemDescription() + "\r\n";
    }

    TempWorkingFolder mFolder;
    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    FakeClipboard mClipboard;
};

TEST_F(CrashHandlerTest, ReportWithoutApplicationEndsAfterTheSystemLine) {
    CrashHandler::BuildCrashReport(MadeUpFault(0xC0000005));
    std::string expected =
        "Exception: Access Violation (code 0xc0000005) at address 00001234 in thread 2A\r\n" +
        ExpectedReportBody();
    EXPECT_EQ(CrashHandler::LastReport(), expected);
    EXPECT_EQ(CrashHandler::ErrorTitle(), "Exception at 0000:00000000");
    EXPECT_EQ(ReadFile(mFolder.Path() / "crash.txt"), expected + "\n");
    EXPECT_FALSE(CrashHandler::HasAttachment());
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].title, "Fatal Error!");
    EXPECT_EQ(mWindows.mBoxes[0].text, "An unexpected error has occured!\r\n\r\n" + expected);
    EXPECT_EQ(mClipboard.mWrites, 0);
}

TEST_F(CrashHandlerTest, CodesOutsideTheTableAreUnknown) {
    CrashHandler::BuildCrashReport(MadeUpFault(0xE06D7363));
    EXPECT_EQ(CrashHandler::LastReport().rfind(
                  "Unknown exception: (code 0xe06d7363) at address 00001234 in thread 2A\r\n", 0),
              0u);
    EXPECT_STREQ(CrashHandler::ExceptionName(0xC00000FD), "Stack Overflow");
    EXPECT_STREQ(CrashHandler::ExceptionName(0), "Wait 0");
    EXPECT_STREQ(CrashHandler::ExceptionName(0xFFFFFFFF), "");
}

TEST_F(CrashHandlerTest, FilterCallsTheApplicationInOrderAndAttachesTheRecordedDemo) {
    CrashTestApp app;
    app.mDemoFileName = "crash.dmo";
    app.mDemoBuffer = Buffer();
    app.mRecordingDemoBuffer = true;
    app.mPlayingDemoBuffer = true;
    CrashHandler::CrashFilter(MadeUpFault(0xC0000094));

    EXPECT_EQ(app.calls,
              (std::vector<std::string>{"OnCrash", "GetCrashInfo", "GetExtraCrashText"}));
    EXPECT_TRUE(app.reportingDuringOnCrash);
    EXPECT_TRUE(app.mCrashed);
    std::string expected = "Exception: Integer Divide by Zero (code 0xc0000094) at address "
                           "00001234 in thread 2A\r\n" +
                           ExpectedReportBody() + "\r\nProduct: Garden\r\n";
    EXPECT_EQ(CrashHandler::LastReport(), expected);
    EXPECT_EQ(mClipboard.mText, expected);

    // Delta 0 in 4 bits, the key flag 0, then code 31 in 5 bits: bits 5..9 set.
    ASSERT_EQ(app.mDemoBuffer.GetDataLen(), 2);
    EXPECT_EQ(app.mDemoBuffer.GetDataPtr()[0], 0xE0);
    EXPECT_EQ(app.mDemoBuffer.GetDataPtr()[1], 0x03);
    EXPECT_TRUE(std::filesystem::exists(mFolder.Path() / "crash.dmo"));
    EXPECT_TRUE(CrashHandler::HasAttachment());
    EXPECT_EQ(CrashHandler::AttachmentFileName(), "crash.dmo");
    EXPECT_FALSE(app.mRecordingDemoBuffer);
    EXPECT_FALSE(app.mPlayingDemoBuffer);
    // The process ends after the filter; the window procedure stays quiet until then.
    EXPECT_TRUE(CrashHandler::IsReportingCrash());
}

TEST_F(CrashHandlerTest, ExtraCrashTextReplacesTheAttachmentAndEmptyInfoAddsNothing) {
    CrashTestApp app;
    app.crashInfo.clear();
    app.extraCrashText = "notes.txt";
    CrashHandler::CrashFilter(MadeUpFault(0xC0000005));
    EXPECT_EQ(CrashHandler::LastReport(),
              "Exception: Access Violation (code 0xc0000005) at address 00001234 in thread 2A\r\n" +
                  ExpectedReportBody());
    EXPECT_TRUE(CrashHandler::HasAttachment());
    EXPECT_EQ(CrashHandler::AttachmentFileName(), "notes.txt");
}

TEST_F(CrashHandlerTest, DestroyedApplicationIsNotReached) {
    {
        CrashTestApp app;
        EXPECT_EQ(CrashHandler::GetRegisteredApp(), &app);
    }
    EXPECT_EQ(CrashHandler::GetRegisteredApp(), nullptr);
    CrashHandler::CrashFilter(MadeUpFault(0xC0000005));
    EXPECT_EQ(mClipboard.mWrites, 0);
}

TEST(CrashHandlerInstall, InstallsTheFilterAndPutsThePreviousBack) {
    EXPECT_FALSE(Platform::FaultFilterInstalled());
    {
        CrashHandler handler;
        EXPECT_TRUE(Platform::FaultFilterInstalled());
    }
    EXPECT_FALSE(Platform::FaultFilterInstalled());
}

TEST(CrashHandlerStack, WalkNamesFunctionsOrModuleAddresses) {
    Platform::FaultRecord fault;
    // An exported function of the C library names itself; an address in no module does not.
    fault.frames = {reinterpret_cast<uint64_t>(&std::fclose) + 2, 0x10};
    std::string stack = CrashHandler::WalkStack(fault);
    EXPECT_NE(stack.find("fclose+2\r\n\r\n"), std::string::npos) << stack;
    EXPECT_NE(stack.find("00000000 00000010 0000:00000000 \r\n\r\n"), std::string::npos) << stack;
}

TEST(CrashHelpers, FileNamePartAndHexadecimal) {
    EXPECT_EQ(GetFileNamePart("C:\\game\\bin/quandrellis"), "quandrellis");
    EXPECT_EQ(GetFileNamePart("a/b\\c.exe"), "c.exe");
    EXPECT_EQ(GetFileNamePart("plain"), "plain");
    EXPECT_EQ(UIntToHexString(0xC0000005), "c0000005");
    uint32_t value = 7;
    EXPECT_TRUE(HexStringToUInt("", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(HexStringToUInt("00aF10", value));
    EXPECT_EQ(value, 0xAF10u);
    EXPECT_FALSE(HexStringToUInt("12G", value));
}

TEST(CrashHandlerDeathTest, RealFaultIsReportedBeforeTheProcessEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempWorkingFolder folder;
    EXPECT_DEATH(
        {
            CrashHandler handler;
            Platform::RaiseFault();
        },
        "Exception: Access Violation \\(code 0xc0000005\\)");
}

// Deep enough to overflow any thread stack; the volatile frame keeps it from becoming a loop.
int Recurse(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return depth > 0 ? Recurse(depth + 1) + frame[0] : 0;
}

TEST(CrashHandlerDeathTest, StackOverflowStillReachesTheReport) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempWorkingFolder folder;
    EXPECT_DEATH(
        {
            CrashHandler handler;
            std::printf("%d", Recurse(1));
        },
        "Exception: Access Violation \\(code 0xc0000005\\)");
}

} // namespace
} // namespace Vuro::Test
