// The crash reporter's windows. Message boxes stand in for the built windows; with no report
// server configured the error window's only button is "Close Now", so one box with OK shows
// the header and the report.
#include "framework/debug/CrashHandler.h"

#include "platform/Window.h"

namespace Vuro {

void CrashHandler::ShowErrorWindow(const std::string& title, const std::string& report) {
    (void)title; // the error title travels with the upload, not in the window
    std::string text = "An unexpected error has occured!\r\n\r\n" + report;
    (void)Platform::GetWindowSystem().ShowMessageBox(text, "Fatal Error!",
                                                     Platform::kMbOk | Platform::kMbIconError);
}

} // namespace Vuro
