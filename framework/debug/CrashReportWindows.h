#pragma once
// The three crash windows, drawn with the framework's own widgets, and the report upload they
// lead to: "Fatal Error!" shows the report; its "Send Report" (offered only with a report
// server) opens "Error Details", where the user describes the crash; "Continue" there opens
// "Submitting Report", which posts the report on an upload thread and polls the transfer,
// offering Retry after a failure. "Close Now", either "Abort", or closing a window ends Run.
//
// What a caller can rely on:
// - Run returns when the user has finished with the windows (and any upload has ended). Where
//   no window can be seen it shows the report in a message box instead and returns.
// - One message loop serves all three windows; it takes its messages from the platform's
//   event source, updates the widgets every kUpdateMs of the platform clock and keeps the
//   progress window's two timers (the poll every 20 ms, the dots every second) on that clock,
//   so a test drives everything with a fake clock and scripted messages.
// - The report server host is a host name with an optional ":port"; empty shows no send
//   button. Without a registered application "Send Report" and "Continue" are disabled.

#include "framework/widgets/ButtonListener.h"
#include "platform/Messages.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace Vuro {

class ButtonWidget;
class CrashTextBox;
class CrashWindow;
class DDInterface;
class Font;
class VuroAppBase;

struct CrashReportState {
    std::string host;           // the report server; empty for none
    std::string errorTitle;     // "Exception at 0001:00000010"
    std::string errorText;      // the report
    std::string userText;       // what the user wrote in "Error Details"
    std::string attachmentFile; // sent as "demofile" when not empty
};

class CrashReportWindows : public ButtonListener {
public:
    static constexpr uint32_t kUpdateMs = 10;

    CrashReportWindows(VuroAppBase& app, CrashReportState state);
    ~CrashReportWindows() override;
    CrashReportWindows(const CrashReportWindows&) = delete;
    CrashReportWindows& operator=(const CrashReportWindows&) = delete;

    // Shows the error window and runs the loop until the close flag is set.
    void Run();

    // The windows made so far (null before), for the loop and for tests.
    CrashWindow* GetErrorWindow() { return mErrorWindow.get(); }
    CrashWindow* GetDetailsWindow() { return mDetailsWindow.get(); }
    CrashWindow* GetProgressWindow() { return mProgressWindow.get(); }
    const CrashReportState& GetState() const { return mState; }
    // "Please Wait" and its dots; empty before the progress window.
    std::string GetProgressText() const;

    void ButtonClick(int id) override;

private:
    void ShowSubmitInfoWindow();
    void ShowProgressWindow();
    void StartUpload();
    void SubmitReportThread();
    // The progress window's two timers.
    void PollTransfer();
    void AddDot();
    void RunTimers();
    void Route(const Platform::Message& message);
    ButtonWidget* AddButton(CrashWindow& window, int id, const std::string& label, Font& font,
                            int x, int y, int width, int height, bool disabled);

    VuroAppBase& mApp;
    CrashReportState mState;
    std::unique_ptr<DDInterface> mImages; // the set the windows' pictures live in
    std::unique_ptr<Font> mTahoma8;
    std::unique_ptr<Font> mTahoma10Bold;
    std::unique_ptr<Font> mArial9Bold;
    std::unique_ptr<Font> mCourierNew8;
    std::unique_ptr<CrashWindow> mErrorWindow;
    std::unique_ptr<CrashWindow> mDetailsWindow;
    std::unique_ptr<CrashWindow> mProgressWindow;
    CrashTextBox* mUserTextBox = nullptr;  // owned by the details window
    CrashTextBox* mProgressText = nullptr; // owned by the progress window
    std::thread mUploadThread;
    bool mClose = false;
    bool mTimersOn = false;
    uint32_t mPollDue = 0;
    uint32_t mDotsDue = 0;
    int mDots = 0;
};

} // namespace Vuro
