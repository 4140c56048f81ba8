// The display's set-up and shutdown: the device, its surfaces, the pixel layout and its tables,
// the refresh rate and the cursor's save areas.

#include "framework/display/DDInterface.h"

#include "framework/display/D3DInterface.h"
#include "framework/display/D3DTester.h"
#include "framework/display/DDImage.h"
#include "framework/util/StringHelpers.h"
#include "platform/Library.h"

namespace Vuro {

namespace {

constexpr int kMinRefreshRate = 60;
constexpr int kMaxRefreshRate = 100;

// Position of the lowest set bit and the width of the mask from there; a full 32-bit mask is
// well defined (the width test never shifts by 32).
void MaskShiftAndBits(uint32_t mask, int& shift, int& bits) {
    shift = 0;
    for (int i = 31; i >= 0; --i) {
        if ((mask >> i) & 1) {
            shift = i;
        }
    }
    bits = 0;
    for (int i = 1; i <= 32 && shift + i - 1 < 32; ++i) {
        if ((uint64_t(mask) >> (shift + i - 1)) != 0) {
            bits = i;
        }
    }
}

std::vector<uint32_t> ClampTable(int bits) {
    const uint32_t max = (uint32_t(1) << bits) - 1;
    std::vector<uint32_t> table(2 * max + 1);
    for (uint32_t i = 0; i < table.size(); ++i) {
        table[i] = std::min(i, max);
    }
    return table;
}

} // namespace

DDInterface::DDInterface(DisplayHost* app)
    : mApp(app), mD3DInterface(std::make_unique<D3DInterface>()) {
    const Platform::LibraryModule* module = Platform::LoadLibrary("ddraw.dll");
    mDirectDrawCreate = reinterpret_cast<Platform::DirectDrawCreateFn>(
        Platform::GetProcAddress(module, "DirectDrawCreate"));
    mDirectDrawCreateEx = reinterpret_cast<Platform::DirectDrawCreateExFn>(
        Platform::GetProcAddress(module, "DirectDrawCreateEx"));
}

DDInterface::~DDInterface() {
    Cleanup();
    ScopedLock lock(mCritSect);
    // Images that outlive the display keep their pictures in memory and stop using it.
    for (DDImage* image : std::set<DDImage*>(mDDImageSet)) {
        image->DetachFromDisplay();
    }
}

std::string DDInterface::ResultToString(int result) {
    switch (result) {
    case RESULT_OK:
        return "RESULT_OK";
    case RESULT_FAIL:
        return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL:
        return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL:
        return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL:
        return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL:
        return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH:
        return "RESULT_INVALID_COLORDEPTH";
    default:
        return "RESULT_UNKNOWN";
    }
}

bool DDInterface::CheckDXError(Platform::DDResult result, const char* operation) {
    if (!Platform::DDFailed(result)) {
        return false;
    }
    mErrorString =
        StrFormat("%s: %s", operation, UIntToHexString(static_cast<uint32_t>(result)).c_str());
    return true;
}

Platform::DDResult DDInterface::CreateSurface(const Platform::SurfaceDesc& desc,
                                              std::shared_ptr<Platform::Surface>& out) {
    ScopedLock lock(mCritSect);
    out.reset();
    if (mDirectDraw == nullptr) {
        return Platform::kDDErrGeneric; // not initialised
    }
    std::shared_ptr<Platform::Surface> surface;
    Platform::DDResult result;
    if (mDirectDraw7 != nullptr) {
        result = mDirectDraw7->CreateSurface(desc, surface);
    } else {
        // The older device is given the fields it knows; colour keys stay cleared.
        Platform::SurfaceDesc older = desc;
        older.flags &= ~Platform::kDescSrcColorKey;
        older.srcColorKey = Platform::ColorKey{};
        result = mDirectDraw->CreateSurface(older, surface);
    }
    if (Platform::DDFailed(result)) {
        return result;
    }
    // The first surface made is the primary itself.
    Platform::Surface* primary = mPrimarySurface != nullptr ? mPrimarySurface.get() : surface.get();
    Platform::SurfaceDesc primaryDesc;
    if (Platform::DDFailed(primary->GetSurfaceDesc(primaryDesc)) ||
        (primaryDesc.pixelFormat.bitCount != 16 && primaryDesc.pixelFormat.bitCount != 32)) {
        return Platform::kDDErrInvalidPixelFormat;
    }
    out = std::move(surface);
    return Platform::kDDOk;
}

bool DDInterface::Do3DTest(Platform::Window* window) {
    const DisplayHost::Wanted3DTest wanted = mApp->Wanted3D();
    if (mD3DTester != nullptr || (!wanted.autoEnable && !wanted.test)) {
        return false;
    }
    mD3DTester = std::make_unique<D3DTester>();
    mD3DTester->SetVideoMemoryLimits(static_cast<uint32_t>(wanted.minVidMemory),
                                     static_cast<uint32_t>(wanted.recommendedVidMemory));
    (void)mD3DTester->TestD3D(window, mDirectDraw7);
    if (wanted.autoEnable && mD3DTester->mFailureReason.empty() && mD3DTester->mWarning.empty()) {
        mIs3D = true;
    }
    if (mD3DTester->mOverrulesStored3D) {
        mIs3D = false;
    }
    return true;
}

Platform::DDResult DDInterface::MakePlainSurface(int width, int height, uint32_t caps,
                                                 std::shared_ptr<Platform::Surface>& out) {
    Platform::SurfaceDesc desc;
    desc.flags = Platform::kDescCaps | Platform::kDescWidth | Platform::kDescHeight;
    desc.width = width;
    desc.height = height;
    desc.caps = caps;
    return CreateSurface(desc, out);
}

int DDInterface::Init(Platform::Window* window, bool isWindowed) {
    ScopedLock lock(mCritSect);
    mInitialized = false;
    Cleanup();

    if (mDirectDrawCreateEx != nullptr) {
        if (CheckDXError(mDirectDrawCreateEx(&mDirectDraw7), "DirectDrawCreateEx")) {
            return RESULT_DD_CREATE_FAIL;
        }
        if (CheckDXError(mDirectDraw7->QueryInterface(mDirectDraw),
                         "QueryrInterface IID_IDirectDraw")) {
            return RESULT_DD_CREATE_FAIL;
        }
    }
    Platform::DDResult createResult = Platform::kDDOk;
    if (mDirectDraw7 == nullptr) {
        createResult = mDirectDrawCreate != nullptr ? mDirectDrawCreate(&mDirectDraw)
                                                    : Platform::kDDErrUnsupported;
    }
    if (Do3DTest(window) && mD3DTester->mFreshResult) {
        mApp->Fresh3DTestHook();
    }
    mWindow = window;
    const DisplayHost::ScreenShape wanted = mApp->WantedScreen();
    mWidth = wanted.width;
    mHeight = wanted.height;
    mColorDepth = wanted.colorDepth;
    mIsWindowed = isWindowed;
    if (CheckDXError(createResult, "DirectDrawCreate")) {
        return RESULT_DD_CREATE_FAIL;
    }

    const uint32_t caps3D = mIs3D ? Platform::kCaps3DDevice : 0;
    int result = isWindowed ? InitWindowed(caps3D) : InitFullScreen(caps3D);
    if (result != RESULT_OK) {
        return result;
    }
    MeasureRefreshRate();

    const uint32_t areaCaps = Platform::kCapsOffscreenPlain | Platform::kCapsSystemMemory;
    if (CheckDXError(MakePlainSurface(mCursorWidth, mCursorHeight, areaCaps, mOldCursorArea),
                     "CreateSurface OldCursorArea") ||
        CheckDXError(MakePlainSurface(mCursorWidth, mCursorHeight, areaCaps, mNewCursorArea),
                     "CreateSurface NewCursorArea")) {
        return RESULT_SURFACE_FAIL;
    }
    mOldCursorAreaImage = std::make_unique<DDImage>(this);
    mOldCursorAreaImage->SetSurface(mOldCursorArea);
    mOldCursorAreaImage->SetTransAlphaFlags(false, false);
    mNewCursorAreaImage = std::make_unique<DDImage>(this);
    mNewCursorAreaImage->SetSurface(mNewCursorArea);
    mNewCursorAreaImage->SetTransAlphaFlags(false, false);

    if (!ReadPixelLayout()) {
        return RESULT_INVALID_COLORDEPTH;
    }
    RemakeScreenImage(mVideoMemoryScreen);
    if (mIs3D && !mD3DInterface->InitD3D(this)) {
        mErrorString = "3D init error: " + gD3DError;
        return RESULT_3D_FAIL;
    }
    mInitialized = true;
    return RESULT_OK;
}

int DDInterface::InitFullScreen(uint32_t caps3D) {
    using namespace Platform;
    if (CheckDXError(
            mDirectDraw->SetCooperativeLevel(mWindow, kDDCoopExclusive | kDDCoopFullScreen),
            "SetCooperativeLevel FullScreen")) {
        return RESULT_EXCLUSIVE_FAIL;
    }
    if (CheckDXError(mDirectDraw->SetDisplayMode(mWidth, mHeight, mColorDepth),
                     "SetDisplayMode FullScreen")) {
        return RESULT_DISPCHANGE_FAIL;
    }
    SurfaceDesc primary;
    primary.flags = kDescCaps | kDescBackBufferCount;
    primary.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex | caps3D;
    primary.backBufferCount = 1;
    if (CheckDXError(CreateSurface(primary, mPrimarySurface), "CreateSurface FullScreen Primary")) {
        return RESULT_SURFACE_FAIL;
    }
    if (CheckDXError(mPrimarySurface->GetAttachedSurface(kCapsBackBuffer, mSecondarySurface),
                     "GetAttachedSurface")) {
        return RESULT_SURFACE_FAIL;
    }
    const uint32_t drawCaps = caps3D != 0 ? kCapsOffscreenPlain | kCapsVideoMemory | caps3D
                                          : kCapsOffscreenPlain | kCapsSystemMemory;
    if (CheckDXError(MakePlainSurface(mWidth, mHeight, drawCaps, mDrawSurface),
                     "CreateSurface FullScreen DrawSurface")) {
        return RESULT_SURFACE_FAIL;
    }
    std::shared_ptr<Clipper> clipper;
    if (CheckDXError(mDirectDraw->CreateClipper(clipper), "CreateClipper FullScreen")) {
        return RESULT_FAIL;
    }
    if (!DDFailed(clipper->SetWindow(mWindow))) {
        (void)mPrimarySurface->SetClipper(clipper);
    }
    return RESULT_OK;
}

int DDInterface::InitWindowed(uint32_t caps3D) {
    using namespace Platform;
    (void)mDirectDraw->SetCooperativeLevel(mWindow, kDDCoopNormal);
    SurfaceDesc primary;
    primary.flags = kDescCaps;
    primary.caps = kCapsPrimarySurface | caps3D;
    DDResult result = CreateSurface(primary, mPrimarySurface);
    if (result == kDDErrInvalidPixelFormat) {
        return RESULT_INVALID_COLORDEPTH;
    }
    if (CheckDXError(result, "CreateSurface Windowed Primary")) {
        return RESULT_SURFACE_FAIL;
    }
    const uint32_t drawCaps = caps3D != 0 ? kCapsOffscreenPlain | kCapsVideoMemory | caps3D
                                          : kCapsOffscreenPlain | kCapsSystemMemory;
    if (CheckDXError(MakePlainSurface(mWidth, mHeight, drawCaps, mDrawSurface),
                     "CreateSurface Windowed DrawSurface")) {
        return RESULT_SURFACE_FAIL;
    }
    std::shared_ptr<Clipper> clipper;
    if (CheckDXError(mDirectDraw->CreateClipper(clipper), "CreateClipper Windowed")) {
        return RESULT_FAIL;
    }
    if (!DDFailed(clipper->SetWindow(mWindow))) {
        (void)mPrimarySurface->SetClipper(clipper);
    }
    return RESULT_OK;
}

void DDInterface::MeasureRefreshRate() {
    uint32_t hertz = 0;
    const bool measured = !Platform::DDFailed(mDirectDraw->GetMonitorFrequency(hertz));
    int rate = static_cast<int>(std::min<uint32_t>(hertz, 1000));
    if (!measured || rate < kMinRefreshRate) {
        mApp->NoteRefreshRateUnreliable();
        rate = kMinRefreshRate;
    } else if (rate > kMaxRefreshRate) {
        mApp->NoteRefreshRateUnreliable();
        rate = kMaxRefreshRate;
    }
    mRefreshRate = rate;
    mMillisecondsPerFrame = 1000 / rate;
}

bool DDInterface::ReadPixelLayout() {
    Platform::SurfaceDesc desc;
    if (Platform::DDFailed(mPrimarySurface->GetSurfaceDesc(desc))) {
        return false;
    }
    const Platform::PixelFormat& format = desc.pixelFormat;
    if (format.bitCount != 16 && format.bitCount != 32) {
        return false;
    }
    mRGBBits = static_cast<int>(format.bitCount);
    mRedMask = format.redMask;
    mGreenMask = format.greenMask;
    mBlueMask = format.blueMask;
    MaskShiftAndBits(mRedMask, mRedShift, mRedBits);
    MaskShiftAndBits(mGreenMask, mGreenShift, mGreenBits);
    MaskShiftAndBits(mBlueMask, mBlueShift, mBlueBits);
    BuildTables();
    return true;
}

void DDInterface::BuildTables() {
    mRedAddTable = ClampTable(mRedBits);
    mGreenAddTable = ClampTable(mGreenBits);
    mBlueAddTable = ClampTable(mBlueBits);
    for (uint32_t i = 0; i < 256; ++i) {
        mRedConvTable[i] = (mRedMask * i / 255) & mRedMask;
        mGreenConvTable[i] = (mGreenMask * i / 255) & mGreenMask;
        mBlueConvTable[i] = (mBlueMask * i / 255) & mBlueMask;
    }
}

void DDInterface::Cleanup() {
    ScopedLock lock(mCritSect);
    mInitialized = false;
    mD3DInterface->Cleanup();
    mHasOldCursorArea = false;
    mOldCursorAreaImage.reset();
    mNewCursorAreaImage.reset();
    mOldCursorArea.reset();
    mNewCursorArea.reset();
    mScreenImage.reset();
    mDrawSurface.reset();
    mSecondarySurface.reset();
    mPrimarySurface.reset();
    if (mDirectDraw != nullptr) {
        (void)mDirectDraw->SetCooperativeLevel(mWindow, Platform::kDDCoopNormal);
    }
    mDirectDraw.reset();
    mDirectDraw7.reset();
    mWindow = nullptr;
}

bool DDInterface::GetVideoMemory(uint32_t& total, uint32_t& used) {
    ScopedLock lock(mCritSect);
    uint32_t free = 0;
    if (mDirectDraw == nullptr || Platform::DDFailed(mDirectDraw->GetAvailableVidMem(
                                      Platform::kCapsVideoMemory, total, free))) {
        return false;
    }
    used = total - free;
    return true;
}

} // namespace Vuro
