// Small services every screen uses: string properties, the clipboard, the product version, and
// what the crash reporter asks of the application.

#include "framework/app/VuroAppBase.h"

#include "framework/sound/MusicInterface.h"
#include "framework/util/StringHelpers.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/SoundDevice.h"

namespace Vuro {

void VuroAppBase::SetString(const std::string& id, const std::string& value) {
    mStringProperties[id] = value;
}

std::string VuroAppBase::GetString(const std::string& id, const std::string& defaultValue) {
    auto it = mStringProperties.find(id);
    return it == mStringProperties.end() ? defaultValue : it->second;
}

void VuroAppBase::CopyToClipboard(const std::string& text) {
    // The platform clipboard keeps one text for every reader, whatever form each asks for.
    Platform::GetSystemClipboard().SetText(text);
}

std::string VuroAppBase::GetClipboard() {
    std::string text = Platform::GetSystemClipboard().GetText();
    SyncDemoString(text);
    return text;
}

std::string VuroAppBase::GetProductVersion(const std::string& path) {
    // Only this program carries a version (a build setting); other files have none.
    return path == Platform::ExecutablePath() ? Platform::ProductVersion() : std::string();
}

void VuroAppBase::OnCrash() {
    mCrashed = true;
    // The music must not go on while the report is made (or stalls); only a flag is set.
    Platform::SilenceSoundOutput(true);
}

std::string VuroAppBase::GetCrashInfo() {
    uint32_t seconds = (Platform::GetClock().TickMs() - mLoadTime) / 1000;
    std::string info;
    info += "Product: " + mProdName + "\r\n";
    info += "Version: " + mProductVersion + "\r\n";
    info += "Time Loaded: " +
            StrFormat("%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60) + "\r\n";
    info += std::string("Fullscreen: ") + (mIsWindowed ? "No" : "Yes") + "\r\n";
    info += "Primary ThreadId: " + StrFormat("%X", mPrimaryThreadId) + "\r\n";
    return info;
}

} // namespace Vuro
