#pragma once
// SDL's video subsystem, held by whoever needs it (windows, desktop queries). SDL counts the
// holders; the last one to let go shuts SDL down completely, so nothing of it outlives the
// windows.

namespace Vuro::Platform {

struct ScreenSaverInfo;

class SdlVideoUser {
public:
    SdlVideoUser();
    ~SdlVideoUser();
    SdlVideoUser(const SdlVideoUser&) = delete;
    SdlVideoUser& operator=(const SdlVideoUser&) = delete;

    // False when SDL's video could not be started (no display, no driver).
    bool IsReady() const { return mReady; }

private:
    bool mReady;
};

// Keeps SDL from turning SIGINT and SIGTERM into its quit event: the process's requests to end
// are the platform's (Termination.h). Called before every start of an SDL subsystem.
void LeaveSignalsToPlatform();

// SDL runs a video driver that shows nothing (dummy or offscreen), now or once started.
bool SdlVideoIsHeadless();

// The desktop's screen-saver settings and idle time: read from the X server's screen-saver
// extension when SDL runs on X11 and the libraries are there (loaded at run time, so the
// program needs neither); false, with nothing known, anywhere else (Wayland has no such query).
bool QueryDesktopScreenSaver(ScreenSaverInfo& info);

} // namespace Vuro::Platform
