// The crash upload: the form and request bytes exactly, and a whole report-only run against a
// server on the loopback interface: the first connection is refused, Retry sends the report,
// and the server receives every field of the form.

#include "framework/app/StackApp.h"
#include "framework/debug/CrashReportForm.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashReporter.h"
#include "platform/Clock.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedEvents.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace Vuro::Test {
namespace {

const std::string kB = "---------------------------7d3e1f30eec";
constexpr uint32_t kRunWaitMs = 30000;

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

// A one-request HTTP server on 127.0.0.1: it takes one connection, reads the request to the end
// of its body and answers 200. Every wait is bounded, so a client that never comes fails the
// test instead of hanging it.
class LoopbackServer {
public:
    // A port nothing listens on yet (bound once to choose it, then let go).
    LoopbackServer() {
        int probe = Listen(0);
        sockaddr_in address{};
        socklen_t length = sizeof address;
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        mPort = ntohs(address.sin_port);
        close(probe);
    }
    ~LoopbackServer() {
        if (mThread.joinable()) {
            mThread.join();
        }
    }
    int Port() const { return mPort; }

    void Start() {
        mListener = Listen(mPort);
        mThread = std::thread([this] { Serve(); });
    }
    // The request received; empty when none came.
    std::string Request() {
        if (mThread.joinable()) {
            mThread.join();
        }
        return mRequest;
    }

private:
    static int Listen(int port) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(fd, 1), 0);
        return fd;
    }
    static bool WaitReadable(int fd) {
        pollfd wait{fd, POLLIN, 0};
        return poll(&wait, 1, 20000) == 1;
    }
    void Serve() {
        int client = WaitReadable(mListener) ? accept(mListener, nullptr, nullptr) : -1;
        close(mListener);
        if (client < 0) {
            return;
        }
        char piece[4096];
        while (!Complete() && WaitReadable(client)) {
            ssize_t got = recv(client, piece, sizeof piece, 0);
            if (got <= 0) {
                break;
            }
            mRequest.append(piece, static_cast<size_t>(got));
        }
        const std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
        (void)send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
        close(client);
    }
    bool Complete() const {
        size_t end = mRequest.find("\r\n\r\n");
        size_t length = mRequest.find("Content-Length: ");
        // strtoul, not stoul: an exception would leave the server's thread and end the process.
        return end != std::string::npos && length != std::string::npos &&
               mRequest.size() >=
                   end + 4 + std::strtoul(mRequest.c_str() + length + 16, nullptr, 10);
    }

    int mPort = 0;
    int mListener = -1;
    std::thread mThread;
    std::string mRequest;
};

// The first "Connection Failed" box starts the server, then answers Retry; any later box is
// cancelled, so a retry that fails again ends the run instead of retrying for ever (and the
// server, which serves one connection, is started once).
class RetryingWindows : public FakeWindowSystem {
public:
    explicit RetryingWindows(LoopbackServer& server) : mServer(server) {}
    int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        FakeWindowSystem::ShowMessageBox(text, title, flags);
        if (mBoxes.size() > 1) {
            return Platform::kIdCancel;
        }
        mServer.Start();
        return Platform::kIdRetry;
    }
    LoopbackServer& mServer;
};

class GardenApp : public VuroAppBase {
public:
    GardenApp() {
        mOnlyAllowOneCopyToRun = false;
        mProdName = "Garden";
        mProductVersion = "1.2";
    }
    bool OnChangeDirectory(const std::string&) override { return true; }
    void GetCrashUploadExtra(std::map<std::string, std::string>& form) override {
        form["level"] = "7";
    }
};

TEST(CrashUploadLoopback, ARefusedConnectionIsRetriedAndTheReportArrivesWhole) {
    TempWorkingFolder folder;
    const std::string report = "Exception: Access Violation (code 0xc0000005) at address 00401A2C "
                               "in thread 2A\r\nModule: garden\r\nLogical Address: "
                               "0001:00000A2C\r\n";
    std::ofstream("crash.txt", std::ios::binary) << report << "\n";
    std::ofstream("last.dmo", std::ios::binary) << std::string("DM\0\x01", 4);

    LoopbackServer server;
    RetryingWindows windows(server);
    ScriptedEvents events;
    StackApp<GardenApp> app;
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    CrashReporter::SetReportServerHost(host);
    // Windows are numbered from 1: "Fatal Error!", "Error Details", "Submitting Report".
    auto click = [&](uint32_t window, int x, int y) {
        events.Add({window, Platform::kWmMouseMove, 0, Platform::MakePointParam(x, y)});
        events.Add({window, Platform::kWmLButtonDown, 1, Platform::MakePointParam(x, y)});
        events.Add({window, Platform::kWmLButtonUp, 0, Platform::MakePointParam(x, y)});
    };
    click(1, 100, 280); // Send Report
    for (char c : std::string("it froze")) {
        events.Add({2, Platform::kWmChar, static_cast<unsigned char>(c), 1});
    }
    click(2, 100, 280); // Continue
    // A run the clicks did not end is closed within the bound: the progress window's close
    // aborts an upload under way, which ends the run; a second later the other windows' close
    // ends one that shows no progress window.
    const uint32_t bound = Platform::GetClock().TickMs() + kRunWaitMs;
    events.AddAt(bound, {3, Platform::kWmClose, 0, 0});
    events.AddAt(bound + 1000, {2, Platform::kWmClose, 0, 0});
    events.AddAt(bound + 1000, {1, Platform::kWmClose, 0, 0});
    CrashReporter::Run(app, "last.dmo");
    CrashReporter::SetReportServerHost("");

    ASSERT_EQ(windows.BoxTexts(),
              std::vector<std::string>{"Connection Failed: Failed to connect to server."});
    EXPECT_EQ(windows.mBoxes[0].flags, Platform::kMbRetryCancel);
    const std::string request = server.Request();
    CrashReportForm form;
    form.extraFields = {{"level", "7"}};
    form.product = "Garden";
    form.version = "1.2";
    form.userText = "it froze";
    form.errorTitle = "Exception at 0001:00000A2C";
    form.errorText = report;
    form.hasAttachment = true;
    form.attachment = std::string("DM\0\x01", 4);
    EXPECT_EQ(request, BuildCrashReportRequest(host, BuildCrashReportBody(form)));
}

} // namespace
} // namespace Vuro::Test
