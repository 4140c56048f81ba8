// The crash reporter's windows and the report upload. Message boxes stand in for the built
// windows: the send and continue buttons are OK, close and abort are Cancel, and the details
// box has no text field, so the user text is sent empty.
#include "framework/debug/CrashReporter.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReportForm.h"
#include "framework/debug/HTTPTransfer.h"
#include "framework/debug/MapFile.h"
#include "framework/util/SafeFileWrite.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Window.h"

#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

namespace Vuro {

namespace {

constexpr const char* kErrorHeader = "An unexpected error has occured!";
constexpr const char* kDetailsHeader =
    "Please help out by providing as much information as you can about this crash.";
constexpr const char* kFailureText = "Failed to connect to server.";
constexpr bool kOfferUpload = true;
constexpr uint32_t kPollMs = 20;
constexpr const char* kCrashFileName = "crash.txt";

std::mutex gStateLock;
std::string gReportServerHost;
std::string gErrorTitle;
std::string gErrorText;
std::string gAttachmentFileName;

std::string Shared(const std::string& value) {
    std::lock_guard<std::mutex> lock(gStateLock);
    return value;
}

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
    form.errorTitle = Shared(gErrorTitle);
    form.errorText = Shared(gErrorText);
    std::string attachment = Shared(gAttachmentFileName);
    form.hasAttachment = !attachment.empty();
    if (form.hasAttachment) {
        Buffer file;
        // A missing file sends an empty part.
        if (app->ReadBufferFromFile(attachment, file, true) && file.GetDataLen() > 0) {
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

// The map file in the current folder, else the one beside the program.
void NameMapSymbols(std::string& report) {
    std::string program = Platform::ExecutablePath();
    std::vector<Platform::FileEntry> maps;
    std::string folder;
    if (!Platform::FindFiles("*.map", maps)) {
        folder = program.substr(0, program.find_last_of('/') + 1);
        if (!Platform::FindFiles(folder + "*.map", maps)) {
            return;
        }
    }
    std::ifstream in(Platform::NativePath(folder + maps.front().name));
    MapSymbolTable symbols;
    MapLineTable lines;
    ReadMapFile(in, symbols, lines);
    LookUpMapSymbol(report, GetFileNamePart(program), symbols, lines);
}

} // namespace

void CrashReporter::SetReportServerHost(const std::string& host) {
    std::lock_guard<std::mutex> lock(gStateLock);
    gReportServerHost = host;
}

std::string CrashReporter::ReportServerHost() {
    return Shared(gReportServerHost);
}

void CrashReporter::SetAttachmentFileName(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(gStateLock);
    gAttachmentFileName = fileName;
}

std::string CrashReportTitle(const std::string& report) {
    const std::string label = "Logical Address: ";
    size_t at = report.find(label);
    return "Exception at " + (at == std::string::npos ? std::string("0000:00000000")
                                                      : report.substr(at + label.size(), 13));
}

void CrashReporter::Run(VuroAppBase& app, const std::string& attachment) {
    Buffer file;
    if (!app.ReadBufferFromFile(kCrashFileName, file, true)) {
        return;
    }
    std::string report(reinterpret_cast<const char*>(file.GetDataPtr()),
                       static_cast<size_t>(file.GetDataLen()));
    // The file ends with one newline after the report.
    if (!report.empty() && report.back() == '\n') {
        report.pop_back();
    }
    NameMapSymbols(report);
    // A report that cannot be written again keeps its logical addresses.
    (void)WriteFileReplacing(kCrashFileName, [&](FILE* out) {
        return std::fwrite(report.data(), 1, report.size(), out) == report.size() &&
               std::fputc('\n', out) != EOF;
    });
    SetAttachmentFileName(attachment);
    app.CopyToClipboard(report);
    ShowErrorWindow(CrashReportTitle(report), report);
}

void CrashReporter::ShowErrorWindow(const std::string& title, const std::string& report) {
    {
        std::lock_guard<std::mutex> lock(gStateLock);
        gErrorTitle = title;
        gErrorText = report;
    }
    std::string host = ReportServerHost();
    // Sending needs the application's product fields: without one it is not offered.
    bool offerSend = kOfferUpload && !host.empty() && CrashHandler::GetRegisteredApp() != nullptr;
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
