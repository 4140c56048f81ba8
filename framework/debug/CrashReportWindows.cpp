#include "framework/debug/CrashReportWindows.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReportForm.h"
#include "framework/debug/CrashTextBox.h"
#include "framework/debug/CrashWindow.h"
#include "framework/debug/HTTPTransfer.h"
#include "framework/display/DDInterface.h"
#include "framework/fonts/SysFont.h"
#include "framework/widgets/ButtonLook.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetSysFont.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Window.h"

namespace Vuro {

namespace {

constexpr const char* kErrorHeader = "An unexpected error has occured!";
constexpr const char* kDetailsHeader =
    "Please help out by providing as much information as you can about this crash.";
constexpr const char* kFailureText = "Failed to connect to server.";
constexpr const char* kPleaseWait = "Please Wait";
constexpr bool kOfferUpload = true;
constexpr uint32_t kPollMs = 20;
constexpr uint32_t kDotsMs = 1000;

enum ButtonId { kSendReport = 1, kCloseNow, kContinue, kAbortDetails, kAbortProgress };

HTTPTransfer& ReportTransfer() {
    static HTTPTransfer transfer;
    return transfer;
}

// The system font nearest the face asked for (the fonts a test installs, when it does).
std::unique_ptr<Font> MakeFont(VuroAppBase& app, const char* face, int points, bool bold) {
    std::unique_ptr<Font> font(MakeSysFont({face, points, 0, bold, false, false}));
    if (font == nullptr) {
        font = std::make_unique<SysFont>(&app, face, points, 0, bold);
    }
    return font;
}

} // namespace

CrashReportWindows::CrashReportWindows(VuroAppBase& app, CrashReportState state)
    : mApp(app), mState(std::move(state)), mImages(std::make_unique<DDInterface>(&app)),
      mTahoma8(MakeFont(app, "Tahoma", 8, false)), mTahoma10Bold(MakeFont(app, "Tahoma", 10, true)),
      mArial9Bold(MakeFont(app, "Arial", 9, true)),
      mCourierNew8(MakeFont(app, "Courier New", 8, false)) {}

CrashReportWindows::~CrashReportWindows() {
    if (mUploadThread.joinable()) {
        mUploadThread.join();
    }
    // The pictures leave the image set before it goes.
    mProgressWindow.reset();
    mDetailsWindow.reset();
    mErrorWindow.reset();
}

ButtonWidget* CrashReportWindows::AddButton(CrashWindow& window, int id, const std::string& label,
                                            Font& font, int x, int y, int width, int height,
                                            bool disabled) {
    auto* button = window.Add(new ButtonWidget(id, this), x, y, width, height);
    button->mLabel = label;
    button->SetFont(&font);
    const Color labelColor = disabled ? ButtonLook::kShade : Color::Black;
    button->SetColor(0, labelColor);
    button->SetColor(1, labelColor);
    button->SetDisabled(disabled);
    return button;
}

void CrashReportWindows::Run() {
    const bool noApp = CrashHandler::GetRegisteredApp() == nullptr;
    mErrorWindow = std::make_unique<CrashWindow>(mApp, *mImages, "Fatal Error!", 64, 64, 400, 300);
    CrashWindow& window = *mErrorWindow;
    window.Add(new CrashTextBox(mArial9Bold.get(), false, false, false), 8, 8, 384, 84)
        ->SetText(kErrorHeader);
    auto* reportBox =
        window.Add(new CrashTextBox(mCourierNew8.get(), false, true, true), 8, 92, 384, 168);
    reportBox->SetText(mState.errorText);
    const bool offerSend = kOfferUpload && !mState.host.empty();
    const int count = offerSend ? 2 : 1;
    const int width = ((49 - count) * 8) / count;
    if (offerSend) {
        AddButton(window, kSendReport, "Send Report", *mArial9Bold, 8, 268, width, 24, noApp);
    }
    AddButton(window, kCloseNow, "Close Now", *mArial9Bold, offerSend ? 8 + width + 8 : 8, 268,
              width, 24, false);
    if (!window.IsMade() || !Platform::GetWindowSystem().CanShowWindows()) {
        // No display, or none anybody sees: the report reaches the user the only way left.
        Platform::GetWindowSystem().ShowMessageBox(std::string(kErrorHeader) + "\r\n\r\n" +
                                                       mState.errorText,
                                                   "Fatal Error!", Platform::kMbIconError);
        return;
    }
    window.Show();
    window.SetFocus(reportBox);

    Platform::Clock& clock = Platform::GetClock();
    Platform::EventSource& events = Platform::GetEventSource();
    uint32_t lastUpdate = clock.TickMs();
    while (!mClose) {
        Platform::Message message;
        bool any = false;
        while (!mClose && events.PeekMessage(message)) {
            any = true;
            Route(message);
        }
        while (!mClose && clock.TickMs() - lastUpdate >= kUpdateMs) {
            lastUpdate += kUpdateMs;
            for (CrashWindow* shown :
                 {mErrorWindow.get(), mDetailsWindow.get(), mProgressWindow.get()}) {
                if (shown != nullptr && shown->IsShown()) {
                    shown->Update();
                }
            }
        }
        RunTimers();
        for (CrashWindow* shown :
             {mErrorWindow.get(), mDetailsWindow.get(), mProgressWindow.get()}) {
            if (shown != nullptr) {
                shown->Draw();
            }
        }
        if (!any && !mClose) {
            clock.SleepMs(kUpdateMs);
        }
    }
}

void CrashReportWindows::Route(const Platform::Message& message) {
    CrashWindow* target = nullptr;
    for (CrashWindow* window : {mErrorWindow.get(), mDetailsWindow.get(), mProgressWindow.get()}) {
        if (window != nullptr && window->Id() != 0 && window->Id() == message.window) {
            target = window;
        }
    }
    if (target == nullptr) {
        return;
    }
    if (message.message != Platform::kWmClose) {
        target->Dispatch(message);
    } else if (target == mProgressWindow.get()) {
        // The loop ends when the poll sees the transfer aborted.
        ReportTransfer().Abort();
    } else {
        mClose = true;
    }
}

void CrashReportWindows::ButtonClick(int id) {
    switch (id) {
    case kSendReport:
        mErrorWindow->Hide();
        ShowSubmitInfoWindow();
        break;
    case kContinue:
        mDetailsWindow->Hide();
        mState.userText = mUserTextBox->GetText().substr(0, CrashTextBox::kMaxChars);
        ShowProgressWindow();
        StartUpload();
        break;
    case kAbortProgress:
        ReportTransfer().Abort();
        break;
    default: // "Close Now", and "Abort" in the details window
        mClose = true;
        break;
    }
}

void CrashReportWindows::ShowSubmitInfoWindow() {
    const bool noApp = CrashHandler::GetRegisteredApp() == nullptr;
    mDetailsWindow =
        std::make_unique<CrashWindow>(mApp, *mImages, "Error Details", 80, 80, 400, 300);
    CrashWindow& window = *mDetailsWindow;
    window.Add(new CrashTextBox(mArial9Bold.get(), false, false, false), 8, 8, 384, 84)
        ->SetText(kDetailsHeader);
    mUserTextBox = window.Add(new CrashTextBox(mTahoma8.get(), true, true, true), 8, 92, 384, 168);
    AddButton(window, kContinue, "Continue", *mArial9Bold, 8, 268, 188, 24, noApp);
    AddButton(window, kAbortDetails, "Abort", *mArial9Bold, 204, 268, 188, 24, false);
    window.Show();
    window.SetFocus(mUserTextBox);
}

void CrashReportWindows::ShowProgressWindow() {
    mProgressWindow =
        std::make_unique<CrashWindow>(mApp, *mImages, "Submitting Report", 64, 64, 240, 64);
    CrashWindow& window = *mProgressWindow;
    mProgressText =
        window.Add(new CrashTextBox(mTahoma10Bold.get(), false, false, false), 24, 10, 224, 24);
    mProgressText->SetText(kPleaseWait);
    AddButton(window, kAbortProgress, "Abort", *mTahoma8, 72, 36, 96, 22, false);
    const uint32_t now = Platform::GetClock().TickMs();
    mTimersOn = true;
    mPollDue = now + kPollMs;
    mDotsDue = now + kDotsMs;
    window.Show();
}

std::string CrashReportWindows::GetProgressText() const {
    return mProgressText != nullptr ? mProgressText->GetText() : std::string();
}

void CrashReportWindows::RunTimers() {
    if (!mTimersOn) {
        return;
    }
    const uint32_t now = Platform::GetClock().TickMs();
    // A late timer fires once, not once per missed period.
    if (static_cast<int32_t>(now - mDotsDue) >= 0) {
        mDotsDue = now + kDotsMs;
        AddDot();
    }
    if (static_cast<int32_t>(now - mPollDue) >= 0) {
        mPollDue = now + kPollMs;
        PollTransfer();
    }
}

void CrashReportWindows::AddDot() {
    ++mDots;
    std::string text = kPleaseWait;
    for (int i = 0; i < mDots % 10; ++i) {
        text += " .";
    }
    mProgressText->SetText(text);
}

void CrashReportWindows::PollTransfer() {
    HTTPTransfer& transfer = ReportTransfer();
    const int result = transfer.GetResultCode();
    if (result == kTransferIdle || result == kTransferPending) {
        return;
    }
    if (result == kTransferDone || result == kTransferAborted) {
        mClose = true;
        return;
    }
    transfer.Reset();
    if (Platform::GetWindowSystem().ShowMessageBox(
            kFailureText, "Connection Failed", Platform::kMbRetryCancel) == Platform::kIdRetry) {
        StartUpload();
    } else {
        mClose = true;
    }
}

void CrashReportWindows::StartUpload() {
    if (mUploadThread.joinable()) {
        mUploadThread.join();
    }
    // Idle until the upload thread hands its request over, whatever an earlier upload left.
    ReportTransfer().Reset();
    mUploadThread = std::thread(&CrashReportWindows::SubmitReportThread, this);
}

// The upload thread: the form from the crash state (which does not change while it runs),
// handed to the transfer, whose worker does the network work.
void CrashReportWindows::SubmitReportThread() {
    VuroAppBase* app = CrashHandler::GetRegisteredApp();
    if (app == nullptr) {
        return;
    }
    CrashReportForm form;
    app->GetCrashUploadExtra(form.extraFields);
    form.product = app->mProdName;
    form.version = app->mProductVersion;
    form.userText = mState.userText;
    form.errorTitle = mState.errorTitle;
    form.errorText = mState.errorText;
    form.hasAttachment = !mState.attachmentFile.empty();
    if (form.hasAttachment) {
        Buffer file;
        // A missing file sends an empty part.
        if (app->ReadBufferFromFile(mState.attachmentFile, file, true) && file.GetDataLen() > 0) {
            form.attachment.assign(reinterpret_cast<const char*>(file.GetDataPtr()),
                                   static_cast<size_t>(file.GetDataLen()));
        }
    }
    ReportTransfer().SendRequest(mState.host,
                                 BuildCrashReportRequest(mState.host, BuildCrashReportBody(form)));
}

} // namespace Vuro
