#pragma once
// The display: the device (platform/DirectDraw.h), the surfaces frames are drawn into and shown
// from, the screen image every frame is drawn into (a DDImage over the drawing surface), the
// software cursor with its two save areas, the set of live DDImages and the pixel layout with
// its clamp and conversion tables.
//
// - Init (window, windowed) makes everything anew (Cleanup first) and answers a result code:
//   RESULT_OK, or the step that failed, with the failing call and its code in mErrorString.
//   The screen image must be taken again after every Init. Full screen sets the application's
//   width x height at its colour depth (16 bits gives a 5-6-5 screen); a window takes the
//   desktop's format, which must be 16 or 32 bits (else RESULT_INVALID_COLORDEPTH). With mIs3D
//   set, Init initialises the 3-D device and answers RESULT_3D_FAIL when it cannot.
// - Redraw presents the drawing surface with the software cursor on top; false before a
//   successful Init or when the blit or flip failed (its text in mErrorString).
// - SetCursorPos may be called from the cursor thread; the cursor is moved on the primary
//   surface at once unless a presentation is under way (that one draws it where it is now).
// - The lock (mCritSect) guards surfaces, the screen image, the cursor and both image sets.
// - A second Init releases everything of the first (objects shared, never double-released);
//   the device is released before its window goes (Cleanup); the images still alive when the
//   display goes keep their pictures in memory and stop using it.

#include "framework/display/DisplayHost.h"
#include "framework/graphics/NativeDisplay.h"
#include "platform/DirectDraw.h"

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Vuro {

namespace Platform {
class Window;
}

class D3DInterface;
class D3DTester;
class DDImage;
class Image;
class MemoryImage;
struct Rect;

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
    static constexpr int kCursorAreaSize = 64;

    explicit DDInterface(DisplayHost* app);
    ~DDInterface() override;

    // Virtual so that tests can script the results the application sees.
    virtual int Init(Platform::Window* window, bool isWindowed);
    void Cleanup();
    // The name of a result code; "RESULT_UNKNOWN" for any other (7 included).
    static std::string ResultToString(int result);
    // False when the result is not a failure; else mErrorString = "<operation>: <hex code>".
    bool CheckDXError(Platform::DDResult result, const char* operation);
    // Makes a surface through the newer device when there is one; refuses (and releases) any
    // surface when the primary's depth is neither 16 nor 32 bits.
    Platform::DDResult CreateSurface(const Platform::SurfaceDesc& desc,
                                     std::shared_ptr<Platform::Surface>& out);
    DDImage* GetScreenImage() { return mScreenImage.get(); }
    // Runs the 3-D capability test once, when the application wants 3-D or asks for the test
    // (mAutoEnable3D, mTest3D); with mAutoEnable3D a clean pass switches 3-D on, and a failure
    // (or a fresh result with a warning) switches it off. False when no test ran. Init then
    // calls the application's Fresh3DTestHook when the outcome was found afresh.
    bool Do3DTest(Platform::Window* window);

    // [Presentation, screen image and cursor: DDInterfacePresent.cpp, DDInterfaceCursor.cpp]
    void RemakeScreenImage(bool useVideoMemory);
    // rect: the destination in the window, null for all of it.
    bool Redraw(const Rect* rect);
    void AddDDImage(DDImage* image);
    void RemoveDDImage(DDImage* image);
    void Remove3DData(MemoryImage* image);
    // The image's textures read back into its bits; false when it has none.
    bool CopyTexturesToBits(MemoryImage* image);
    bool SetCursorImage(Image* image);
    void SetCursorPos(int x, int y);
    // The cursor steps on a surface. The primary surface is the window's client area, so
    // window and screen coordinates are the same and need no offset.
    void DrawCursor(Platform::Surface* surface);
    void RestoreOldCursorArea(Platform::Surface* surface);
    void MoveCursor(Platform::Surface* surface, int x, int y);

    // [Figures for the developer tools]
    // Total and used bytes of video memory; false when the device cannot tell.
    bool GetVideoMemory(uint32_t& total, uint32_t& used);

    DisplayHost* mApp; // not owned
    std::unique_ptr<D3DInterface> mD3DInterface;
    std::unique_ptr<D3DTester> mD3DTester; // made by the first Do3DTest that runs
    bool mIs3D = false;                    // drawing goes through the 3-D device
    bool m3DFaultReported = false; // a 3-D failure ended the 3-D path at a presentation this run
    std::atomic<bool> mPresenting{false};
    std::shared_ptr<Platform::DirectDraw> mDirectDraw;  // the older face of the device
    std::shared_ptr<Platform::DirectDraw> mDirectDraw7; // null without DirectDrawCreateEx
    std::shared_ptr<Platform::Surface> mPrimarySurface;
    // Full screen: the back buffer; in a window: the video-memory screen when asked for.
    std::shared_ptr<Platform::Surface> mSecondarySurface;
    std::shared_ptr<Platform::Surface> mDrawSurface;
    int mWidth = 0;
    int mHeight = 0;
    int mColorDepth = 0;
    int mRefreshRate = 60;          // Hz, 60..100
    int mMillisecondsPerFrame = 16; // 1000 / refresh rate
    // Per channel: entry i = min(i, max) for i in 0..2 max (saturating sums).
    std::vector<uint32_t> mRedAddTable;
    std::vector<uint32_t> mGreenAddTable;
    std::vector<uint32_t> mBlueAddTable;
    // Per channel: an 8-bit value placed in the display's format, (mask x i / 255) & mask.
    uint32_t mRedConvTable[256] = {};
    uint32_t mGreenConvTable[256] = {};
    uint32_t mBlueConvTable[256] = {};
    bool mInitialized = false;
    Platform::Window* mWindow = nullptr; // not owned
    bool mIsWindowed = true;
    std::unique_ptr<DDImage> mScreenImage;
    std::set<DDImage*> mDDImageSet;
    bool mVideoMemoryScreen = false; // the screen image lies on the second surface
    // Software cursor.
    int mCursorWidth = kCursorAreaSize;
    int mCursorHeight = kCursorAreaSize;
    std::atomic<int> mCursorX{0}; // last position given (SetCursorPos may run unlocked)
    std::atomic<int> mCursorY{0};
    int mCursorDrawnX = 0; // where the cursor was drawn; the image is centred on it
    int mCursorDrawnY = 0;
    Image* mCursorImage = nullptr; // not owned; null: no software cursor
    bool mHasOldCursorArea = false;
    std::shared_ptr<Platform::Surface> mOldCursorArea;
    std::shared_ptr<Platform::Surface> mNewCursorArea;
    std::unique_ptr<DDImage> mOldCursorAreaImage;
    std::unique_ptr<DDImage> mNewCursorAreaImage;
    std::string mErrorString;

private:
    int InitFullScreen(uint32_t caps3D);
    int InitWindowed(uint32_t caps3D);
    // Surfaces of the size and caps, through CreateSurface.
    Platform::DDResult MakePlainSurface(int width, int height, uint32_t caps,
                                        std::shared_ptr<Platform::Surface>& out);
    void MeasureRefreshRate();
    bool ReadPixelLayout();
    void BuildTables();

    // Entry points of "ddraw.dll", looked up at construction (null when missing).
    Platform::DirectDrawCreateFn mDirectDrawCreate = nullptr;
    Platform::DirectDrawCreateExFn mDirectDrawCreateEx = nullptr;
};

} // namespace Vuro
