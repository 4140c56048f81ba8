// The crash upload: the form and request bytes exactly, and the windows' flow as message boxes
// (no server, a server that refuses, a declined send).

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashReportForm.h"
#include "framework/debug/CrashReporter.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedEvents.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

const std::string kB = "---------------------------7d3e1f30eec";

std::string Part(const std::string& name, const std::string& value) {
    return "--" + kB + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value +
           "\r\n";
}

TEST(CrashReportForm, FiveFieldsAndTheClosingLine) {
    CrashReportForm form;
    form.product = "Garden";
    form.version = "1.0";
    form.userText = "it froze";
    form.errorTitle = "Exception at 0001:00000010";
    form.errorText = "report";
    EXPECT_EQ(BuildCrashReportBody(form), Part("prod", "Garden") + Part("version", "1.0") +
                                              Part("usertext", "it froze") +
                                              Part("errortitle", "Exception at 0001:00000010") +
                                              Part("errortext", "report") + "--" + kB + "--\r\n");
}

TEST(CrashReportForm, ExtraFieldsByNameFirstAndTheAttachmentLast) {
    CrashReportForm form;
    form.extraFields = {{"zeta", "2"}, {"alpha", "1"}};
    form.hasAttachment = true;
    form.attachment = std::string("a\0b", 3);
    std::string body = BuildCrashReportBody(form);
    std::string expected = Part("alpha", "1") + Part("zeta", "2") + Part("prod", "") +
                           Part("version", "") + Part("usertext", "") + Part("errortitle", "") +
                           Part("errortext", "") + "--" + kB +
                           "\r\nContent-Disposition: form-data; name=\"demofile\"; "
                           "filename=\"quorix.dmo\"\r\nContent-Type: application/octet-stream"
                           "\r\n\r\n" +
                           std::string("a\0b", 3) + "\r\n--" + kB + "--\r\n";
    EXPECT_EQ(body, expected);

    std::string request = BuildCrashReportRequest("reports.example:8080", body);
    EXPECT_EQ(request, "POST /velmar_error.php HTTP/1.1\r\n"
                       "Content-Type: multipart/form-data; boundary=" +
                           kB +
                           "\r\nUser-Agent: Mozilla/4.0 (compatible; quorix)\r\n"
                           "Host: reports.example:8080\r\n"
                           "Content-Length: " +
                           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

class CrashWindowsTest : public ::testing::Test {
protected:
    ~CrashWindowsTest() override { CrashReporter::SetReportServerHost(""); }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
};

class PlainApp : public VuroAppBase {
public:
    PlainApp() { mOnlyAllowOneCopyToRun = false; }
    bool OnChangeDirectory(const std::string&) override { return true; }
};

TEST_F(CrashWindowsTest, WithoutAServerOnlyCloseIsOffered) {
    PlainApp app;
    CrashReporter::ShowErrorWindow("Exception at 0000:00000000", "report");
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].title, "Fatal Error!");
    EXPECT_EQ(mWindows.mBoxes[0].text, "An unexpected error has occured!\r\n\r\nreport");
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbOk | Platform::kMbIconError);
}

TEST_F(CrashWindowsTest, DeclinedSendShowsNothingMore) {
    PlainApp app;
    CrashReporter::SetReportServerHost("127.0.0.1:1");
    mWindows.mAnswers = {Platform::kIdCancel};
    CrashReporter::ShowErrorWindow("t", "report");
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbOkCancel | Platform::kMbIconError);
}

TEST_F(CrashWindowsTest, RefusedUploadOffersRetryUntilCancelled) {
    PlainApp app;
    CrashReporter::SetReportServerHost("127.0.0.1:1"); // nothing listens on port 1
    mWindows.mAnswers = {Platform::kIdOk, Platform::kIdOk, Platform::kIdOk, Platform::kIdCancel};
    CrashReporter::ShowErrorWindow("t", "report");
    ASSERT_EQ(mWindows.mBoxes.size(), 4u);
    EXPECT_EQ(mWindows.mBoxes[1].title, "Error Details");
    EXPECT_EQ(mWindows.mBoxes[1].text,
              "Please help out by providing as much information as you can about this crash.");
    for (size_t i = 2; i < 4; ++i) {
        EXPECT_EQ(mWindows.mBoxes[i].title, "Connection Failed");
        EXPECT_EQ(mWindows.mBoxes[i].text, "Failed to connect to server.");
    }
}

} // namespace
} // namespace Vuro::Test
