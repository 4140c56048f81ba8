#pragma once
// Windows, the screen they live on, and system message boxes. The SDL window system is the
// real one; tests install a fake. Text handed in is code page 1251, as everywhere inside the
// system; conversion to the window system's UTF-8 happens here.
//
// Window:
// - Created hidden; Show makes it visible. Id is the Message::window of its messages.
// - Present shows a 32-bit 0xAARRGGBB image (rows top first, alpha ignored) in the client
//   area, scaled when the sizes differ; false when the window cannot show it now (the caller
//   presents again later). PresentPixels does the same for rows `pitch` bytes apart of 16-bit
//   pixels (channels under the three masks) or 32-bit ones (0x00RRGGBB); by default they are
//   converted and handed to Present. GetClientSize answers the size the window was made with.
//   Any thread may present; the picture is drawn by the thread that made the window, at once
//   or, from another thread, when that thread next reads its events.
// - KeepsPicture answers whether the window holds the picture last presented exactly as it was
//   given (its rows copied unscaled and unconverted, spare bits included); ReadPicture then
//   copies it back into rows of the same size and format until the next present. A window
//   that keeps nothing (the default) answers false to both; ReadPicture writes nothing then.
// - Raise restores a minimised window and brings it to the front with the input focus.
// - SetFullScreen moves a window between full screen and a plain window of its client size
//   (a system box must not stay hidden behind a full-screen window).
//
// - SetMouseCapture keeps mouse messages coming to the window while a button is held outside
//   it. GetMouseInClient answers whether the mouse is over the window and where, in the
//   presented image's pixels (full screen scales them). GetNormalPosition gives the client
//   position of a window shown normally (false when minimised, maximised or full screen).
//
// WindowSystem:
// - CreateWindow answers null when no window can be made (no display). A full-screen window
//   covers the desktop and shows the image scaled with its aspect kept. The params' icon, when
//   it has pixels for its size and no side above kMaxIconSide, is the window's for the desktop
//   to show; else it has none.
// - GetWorkArea: the part of the desktop windows may use; GetFrameSize: the frame the window
//   manager draws around a client area (0 where it cannot be known before a window exists).
// - Cursors: the Create... calls always answer a cursor; where the system cannot show one it
//   shows nothing. SetCursor shows one over the application's windows; null hides it.
// - Screen saver: AllowScreenSaver lets the desktop's screen saver and monitor power-off start
//   (they are held off otherwise); QueryScreenSaver reads its settings and the user's idle
//   time where the desktop tells them (see ScreenSaverInfo).
// - GetDesktopSize gives the size of the primary screen; false when it cannot be read.
// - ShowMessageBox shows a modal box with the buttons and icon of `flags` (kMb... values) and
//   answers the button chosen (kId... values). Where no box can be shown (SDL's dummy video
//   driver, no display) the title and text go to stderr and the default button is answered:
//   the first one, or the second with kMbDefButton2. A request to end the program
//   (Termination.h) ends a box with kIdNone, and once one was noted no box is shown. For tests
//   of that, with VURO_TEST_BOXES_WAIT set in the environment a box that cannot be shown waits
//   for an answer that never comes, as a box nobody answers does.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::Platform {

// Message box buttons, icons and default button; combine one of each.
inline constexpr uint32_t kMbOk = 0x0000;
inline constexpr uint32_t kMbOkCancel = 0x0001;
inline constexpr uint32_t kMbYesNo = 0x0004;
inline constexpr uint32_t kMbRetryCancel = 0x0005;
inline constexpr uint32_t kMbIconError = 0x0010;
inline constexpr uint32_t kMbIconQuestion = 0x0020;
inline constexpr uint32_t kMbIconWarning = 0x0030;
inline constexpr uint32_t kMbIconInformation = 0x0040;
inline constexpr uint32_t kMbDefButton2 = 0x0100;
// Message box answers.
inline constexpr int kIdNone = 0; // none: the program was asked to end while the box was up
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The default answer of a box with these flags (what a box nobody can see answers).
int DefaultMessageBoxAnswer(uint32_t flags);

// Shapes the system draws itself.
enum class SystemCursor { Arrow, IBeam, No };

class Cursor {
public:
    virtual ~Cursor() = default;
};

// Rows of a 32 x 32 monochrome cursor: 'X' black, '.' white, anything else transparent.
using CursorRows = const char* const[32];

struct ScreenSaverInfo {
    bool settingsKnown = false; // timeoutSeconds and enabled were read
    int timeoutSeconds = 0;     // idle time after which the saver starts
    bool enabled = false;       // the saver starts at all
    bool idleKnown = false;     // idleMs and running were read
    uint32_t idleMs = 0;        // time since the user's last input
    bool running = false;       // the saver is on now
};

// The largest side of a window's icon: desktops show none larger, and the X server refuses the
// property of a picture much larger, which ends the program.
inline constexpr int kMaxIconSide = 256;

// The picture the desktop shows for a window (task bar, window switcher).
struct WindowIcon {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // width x height 0xAARRGGBB words, rows top first; empty: none
};

struct WindowParams {
    std::string title; // code page 1251
    int x = -1;        // client position on the screen; -1 centres
    int y = -1;
    int width = 640; // client size
    int height = 480;
    bool fullScreen = false; // covers the screen, the client area scaled to it
    // Read while the window is made (the window system keeps its own copy); the caller holds
    // it. Null: no icon.
    const WindowIcon* icon = nullptr;
};

class Window {
public:
    virtual ~Window() = default;
    virtual uint32_t Id() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // Gives the window the keyboard focus.
    virtual void Focus() = 0;
    virtual void Raise() = 0;
    virtual bool IsMinimized() = 0;
    virtual void SetFullScreen(bool fullScreen) = 0;
    virtual bool Present(const uint32_t* pixels, int width, int height) = 0;
    virtual bool PresentPixels(const void* pixels, int pitch, int width, int height, int bitCount,
                               uint32_t redMask, uint32_t greenMask, uint32_t blueMask);
    virtual bool KeepsPicture() { return false; }
    virtual bool ReadPicture(void* /*pixels*/, int /*pitch*/, int /*width*/, int /*height*/,
                             int /*bitCount*/, uint32_t /*redMask*/, uint32_t /*greenMask*/,
                             uint32_t /*blueMask*/) {
        return false;
    }
    virtual void GetClientSize(int& width, int& height) = 0;
    virtual void SetMouseCapture(bool capture) = 0;
    virtual bool GetMouseInClient(int& x, int& y) = 0;
    virtual bool GetNormalPosition(int& x, int& y) = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual std::unique_ptr<Window> CreateWindow(const WindowParams& params) = 0;
    virtual bool GetDesktopSize(int& width, int& height) = 0;
    virtual int ShowMessageBox(const std::string& text, const std::string& title,
                               uint32_t flags) = 0;
    virtual bool GetWorkArea(int& x, int& y, int& width, int& height) = 0;
    virtual void GetFrameSize(int& left, int& top, int& right, int& bottom) = 0;
    virtual std::unique_ptr<Cursor> CreateSystemCursor(SystemCursor shape) = 0;
    virtual std::unique_ptr<Cursor> CreateMaskCursor(CursorRows rows, int hotX, int hotY) = 0;
    // pixels: width x height 0xAARRGGBB words, rows top first.
    virtual std::unique_ptr<Cursor> CreateColorCursor(const uint32_t* pixels, int width, int height,
                                                      int hotX, int hotY) = 0;
    virtual void SetCursor(const Cursor* cursor) = 0;
    virtual void AllowScreenSaver(bool allow) = 0;
    virtual bool QueryScreenSaver(ScreenSaverInfo& info) = 0;
    // False where windows are made but nobody can see them (SDL's headless drivers): a window
    // that waits for the user would wait for ever.
    virtual bool CanShowWindows() { return true; }
};

// The window system in use: the SDL one unless a test installed another.
WindowSystem& GetWindowSystem();
// Installs a window system for the whole process; null goes back to the SDL one. The caller
// keeps ownership and keeps it alive while installed.
void SetWindowSystem(WindowSystem* system);

} // namespace Vuro::Platform
