// The crash reporter's windows and the report upload. Message boxes stand in for the built
// windows: the send and continue buttons are OK, close and abort are Cancel, and the details
// box has no text field, so the user text is sent empty.
#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReportForm.h"
#include "framework/debug/HTTPTransfer.h"
#include "platform/Clock.h"
#include "platform/Window.h"

#include <mutex>
#include <thread>

namespace Vuro {

namespace {

constexpr const char* kErrorHeader = "An unexpected error has occured!";
constexpr const char* kDetailsHeader =
    "Please help out by providing as much information as you can about this crash.";
constexpr const char* kFailureText = "Failed to connect to server.";
constexpr bool kOfferUpload = true;
constexpr uint32_t kPollMs = 20;

std::mutex gHostLock;
std::string gReportServerHost;

HTTPTransfer& ReportTransfer() {
    static HTTPTransfer transfer;
    return transfer;
}

int Box(const std::string& text, const std::string& title, uint32_t flags) {
    return Platform::GetWindowSystem().ShowMessageBox(text, title, flags);
}

// The upload thread's work: the form from the shared crash state, handed to the transfer.
void SubmitReportThread(const std::string& host, const std::string& userText) {
    VuroAppBase* app = CrashHandler::GetRegisteredApp();
    if (app == nullptr) {
        return;
    }
    CrashReportForm form;
    app->GetCrashUploadExtra(form.extraFields);
    form.product = app->mProdName;
    form.version = app->mProductVersion;
    form.userText = userText;
    form.errorTitle = CrashHandler::ErrorTitle();
    form.errorText = CrashHandler::LastReport();
    form.hasAttachment = CrashHandler::HasAttachment();
    if (form.hasAttachment) {
        Buffer file;
        // A missing file sends an empty part.
        if (app->ReadBufferFromFile(CrashHandler::AttachmentFileName(), file, true) &&
            file.GetDataLen() > 0) {
            form.attachment.assign(reinterpret_cast<const char*>(file.GetDataPtr()),
                                   static_cast<size_t>(file.GetDataLen()));
        }
    }
    ReportTransfer().SendRequest(host, BuildCrashReportRequest(host, BuildCrashReportBody(form)));
}

// The progress window's part: waits for the transfer; a failure offers a retry.
void SubmitAndWait(const std::string& host) {
    HTTPTransfer& transfer = ReportTransfer();
    for (;;) {
        std::thread upload(SubmitReportThread, host, std::string());
        upload.join();
        int result = transfer.GetResultCode();
        while (result == kTransferIdle || result == kTransferPending) {
            Platform::GetClock().SleepMs(kPollMs);
            result = transfer.GetResultCode();
        }
        if (result == kTransferDone || result == kTransferAborted) {
            return;
        }
        transfer.Reset();
        if (Box(kFailureText, "Connection Failed",
                Platform::kMbOkCancel | Platform::kMbIconError) != Platform::kIdOk) {
            return;
        }
    }
}

} // namespace

void CrashHandler::SetReportServerHost(const std::string& host) {
    std::lock_guard<std::mutex> lock(gHostLock);
    gReportServerHost = host;
}

std::string CrashHandler::ReportServerHost() {
    std::lock_guard<std::mutex> lock(gHostLock);
    return gReportServerHost;
}

void CrashHandler::ShowErrorWindow(const std::string& title, const std::string& report) {
    (void)title; // kept in the shared crash state for the upload
    std::string host = ReportServerHost();
    // Sending needs the application's product fields: without one it is not offered.
    bool offerSend = kOfferUpload && !host.empty() && GetRegisteredApp() != nullptr;
    std::string text = std::string(kErrorHeader) + "\r\n\r\n" + report;
    uint32_t buttons = offerSend ? Platform::kMbOkCancel : Platform::kMbOk;
    int answer = Box(text, "Fatal Error!", buttons | Platform::kMbIconError);
    if (!offerSend || answer != Platform::kIdOk) {
        return;
    }
    if (Box(kDetailsHeader, "Error Details", Platform::kMbOkCancel) != Platform::kIdOk) {
        return;
    }
    SubmitAndWait(host);
}

} // namespace Vuro
