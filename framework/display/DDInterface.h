#pragma once
// The display: owns the screen image every frame is drawn into and presents it through the
// platform window; keeps the software cursor's position.
//
// - Init (window, windowed) makes a fresh screen image of the application's size and answers a
//   result code (RESULT_OK on success); the screen image must be taken again after every Init.
//   Without a window it fails: RESULT_DISPCHANGE_FAIL for full screen (the mode could not be
//   set), RESULT_DD_CREATE_FAIL in a window. Init is virtual so that tests can refuse it.
// - SetCursorImage keeps the software cursor's image (null: none); true when it changed.
// - Redraw presents the screen image; false when the window could not show it.
// - The lock (mCritSect, from NativeDisplay) guards the screen image, the cursor fields and the
//   application's image set; the cursor thread takes it.
// (Minimal form: 32-bit output, no 3-D path, no software cursor image yet.)

#include "framework/display/NativeDisplay.h"

#include <memory>
#include <string>

namespace Vuro {

namespace Platform {
class Window;
}

class DDImage;
class Image;
struct Rect;
class VuroAppBase;

class DDInterface : public NativeDisplay {
public:
    enum {
        RESULT_OK = 0,
        RESULT_FAIL = 1,
        RESULT_DD_CREATE_FAIL = 2,
        RESULT_SURFACE_FAIL = 3,
        RESULT_EXCLUSIVE_FAIL = 4,
        RESULT_DISPCHANGE_FAIL = 5,
        RESULT_INVALID_COLORDEPTH = 6,
        RESULT_3D_FAIL = 7,
    };

    explicit DDInterface(VuroAppBase* app);
    ~DDInterface() override;

    virtual int Init(Platform::Window* window, bool isWindowed);
    // The name of a result code; "RESULT_UNKNOWN" for any other.
    static std::string ResultToString(int result);
    DDImage* GetScreenImage() { return mScreenImage.get(); }
    // rect: the part to present, null for all (the whole image is presented either way).
    bool Redraw(const Rect* rect);
    bool SetCursorImage(Image* image);
    // A new screen image, in video memory or not; take the screen image again afterwards.
    void RemakeScreenImage(bool useVideoMemory);
    // Moves the software cursor now (the cursor thread calls it when the mouse moved).
    void SetCursorPos(int x, int y);

    VuroAppBase* mApp;  // not owned
    bool mIs3D = false; // drawing goes through the 3-D device
    bool mInitialized = false;
    Platform::Window* mWindow = nullptr; // not owned
    bool mIsWindowed = true;
    int mWidth = 0;
    int mHeight = 0;
    int mRefreshRate = 60;          // Hz
    int mMillisecondsPerFrame = 16; // 1000 / refresh rate
    std::string mErrorString;       // why the last Init failed
    std::unique_ptr<DDImage> mScreenImage;
    bool mVideoMemoryScreen = false; // the screen image lives in video memory
    Image* mCursorImage = nullptr;   // the software cursor; not owned
    // Software cursor: the position last given, and where it was last drawn (guarded by the lock).
    int mCursorX = 0;
    int mCursorY = 0;
    int mCursorDrawnX = 0;
    int mCursorDrawnY = 0;

private:
    // A screen-sized image marked opaque.
    std::unique_ptr<DDImage> MakeScreenImage();
};

} // namespace Vuro
