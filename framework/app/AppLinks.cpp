// Opening links in the user's browser. Starting the browser succeeds or fails at once; whether
// it actually came up is judged later by the window procedure from activation (the application
// losing activation means the browser took over), which calls OnUrlOpened or OnUrlOpenFailed.

#include "framework/app/VuroAppBase.h"

#include "platform/Clock.h"
#include "platform/LinkOpener.h"

namespace Vuro {

bool VuroAppBase::OpenURL(const std::string& url, bool shutdownAfter) {
    // A second click while the same link is still opening starts no second browser.
    if (mIsOpeningURL && mOpeningURL == url) {
        return true;
    }
    mIsOpeningURL = true;
    mShutdownOnURLOpen = shutdownAfter;
    mOpeningURL = url;
    mOpeningURLTime = Platform::GetClock().TickMs();
    if (!Platform::OpenLink(url)) {
        OnUrlOpenFailed(url);
        return false;
    }
    return true;
}

void VuroAppBase::OnUrlOpenFailed(const std::string&) {
    mIsOpeningURL = false;
}

void VuroAppBase::OnUrlOpened(const std::string&) {
    mIsOpeningURL = false;
    if (mShutdownOnURLOpen) {
        Shutdown();
    }
}

} // namespace Vuro
