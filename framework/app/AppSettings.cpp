// The application's own settings: read from the settings store at start-up, written back at a
// regular exit. "InProgress" is 1 while the program runs, so a run that did not end cleanly is
// noticed at the next start.
//
// Behaviour a reader might not expect:
// - Values read are checked: volumes are kept within 0..1 and the mute count within 0..1.
// - Volumes are saved rounded to the nearest hundredth, halves down, so a volume read back is
//   the one saved (0.57, 56.999... hundredths, stays 0.57) and 0.855 still becomes 0.85.

#include "framework/app/VuroAppBase.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

double VolumeFromSetting(int value) {
    return std::clamp(value * 0.01, 0.0, 1.0);
}

int VolumeToSetting(double volume) {
    return static_cast<int>(std::ceil(std::clamp(volume, 0.0, 1.0) * 100.0 - 0.5));
}

} // namespace

void VuroAppBase::ReadSettings() {
    mSettingsLoaded = true;
    mRegKey = GetString("RegistryKey", mRegKey);
    if (mRegKey.empty()) {
        return;
    }
    int value = 0;
    if (ReadRegInt("MusicVolume", value)) {
        mMusicVolume = VolumeFromSetting(value);
    }
    if (ReadRegInt("SfxVolume", value)) {
        mSfxVolume = VolumeFromSetting(value);
    }
    if (ReadRegInt("Muted", value)) {
        mMuteCount = std::clamp(value, 0, 1);
    }
    if (ReadRegInt("ScreenMode", value)) {
        mIsWindowed = value == 0;
    }
    if (ReadRegInt("PreferredX", value)) {
        mPreferredX = value;
    }
    if (ReadRegInt("PreferredY", value)) {
        mPreferredY = value;
    }
    if (ReadRegInt("CustomCursors", value)) {
        UseCustomCursors(value != 0);
    }
    bool flag = false;
    if (ReadRegBool("WaitForVSync", flag)) {
        mWaitForVSync = flag;
    }
    if (ReadRegBool("InProgress", flag)) {
        mLastShutdownWasGraceful = !flag;
    }
    if (!mIsScreenSaver) {
        (void)WriteRegInt("InProgress", 1);
    }
}

void VuroAppBase::WriteSettings() {
    (void)WriteRegInt("MusicVolume", VolumeToSetting(mMusicVolume));
    (void)WriteRegInt("SfxVolume", VolumeToSetting(mSfxVolume));
    (void)WriteRegInt("Muted", mMuteCount - mAutoMuteCount > 0 ? 1 : 0);
    (void)WriteRegInt("ScreenMode", mIsWindowed ? 0 : 1);
    (void)WriteRegInt("PreferredX", mPreferredX);
    (void)WriteRegInt("PreferredY", mPreferredY);
    (void)WriteRegInt("CustomCursors", mCustomCursorsEnabled ? 1 : 0);
    (void)WriteRegInt("InProgress", 0);
    (void)WriteRegBool("WaitForVSync", mWaitForVSync);
}

} // namespace Vuro
