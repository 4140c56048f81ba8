// System message boxes. In full screen the window steps out of full screen while a box is up,
// so the box is never hidden behind it; in screensaver mode no box is shown at all and the text
// goes to "ScrError.txt" instead.

#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Window.h"

#include <cstdio>

namespace Vuro {

void VuroAppBase::BeginPopup() {
    if (mIsPhysWindowed) {
        return;
    }
    if (mMainWindow != nullptr) {
        mMainWindow->SetFullScreen(false);
    }
    mPopupShown = true;
}

void VuroAppBase::EndPopup() {
    if (!mIsPhysWindowed) {
        mPopupShown = false;
        if (mMainWindow != nullptr) {
            mMainWindow->SetFullScreen(true);
        }
    }
    // The time the box was up is not caught up, and keys released meanwhile are not stuck.
    ResetFrameClock(false);
    for (int key = 1; key < WidgetManager::kKeyCount; ++key) {
        mWidgetManager->mKeyDown[key] = 0;
    }
}

int VuroAppBase::MsgBox(const std::string& text, const std::string& title, uint32_t flags) {
    if (mIsScreenSaver) {
        ReportScreenSaverError(text);
        return Platform::kIdOk;
    }
    BeginPopup();
    int answer = Platform::GetWindowSystem().ShowMessageBox(text, title, flags);
    EndPopup();
    return answer;
}

void VuroAppBase::Popup(const std::string& text) {
    if (mIsScreenSaver) {
        ReportScreenSaverError(text);
        return;
    }
    BeginPopup();
    if (!mShutdown) {
        Platform::GetWindowSystem().ShowMessageBox(text, "FATAL ERROR", Platform::kMbIconError);
    }
    EndPopup();
}

void VuroAppBase::ReportScreenSaverError(const std::string& text) {
    // The first report of a run starts the file afresh; later ones append.
    const char* mode = mScreenSaverErrorWritten ? "a+" : "w";
    mScreenSaverErrorWritten = true;
    FILE* file = Platform::OpenFile("ScrError.txt", mode);
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "%s %s %u\n", text.c_str(), Platform::LocalTimeOfDay().c_str(),
                 Platform::GetClock().TickMs());
    std::fclose(file);
}

} // namespace Vuro
