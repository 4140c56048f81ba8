#include "platform/MemoryDirectDraw.h"

#include "platform/MemorySurface.h"
#include "platform/Window.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace Vuro::Platform {

namespace {

class MemoryClipper : public Clipper {
public:
    DDResult SetWindow(Window* window) override {
        if (DDResult failure = TakeDirectDrawFailure("SetWindow")) {
            return failure;
        }
        mWindow = window;
        return kDDOk;
    }
    Window* GetWindow() override { return mWindow; }

private:
    Window* mWindow = nullptr;
};

class MemoryPalette : public Palette {
public:
    explicit MemoryPalette(const uint32_t* entries) {
        if (entries != nullptr) {
            std::copy_n(entries, mEntries.size(), mEntries.begin());
        }
    }
    DDResult SetEntries(int first, int count, const uint32_t* entries) override {
        if (!InRange(first, count) || entries == nullptr) {
            return kDDErrInvalidParams;
        }
        std::copy_n(entries, count, mEntries.begin() + first);
        return kDDOk;
    }
    DDResult GetEntries(int first, int count, uint32_t* entries) override {
        if (!InRange(first, count) || entries == nullptr) {
            return kDDErrInvalidParams;
        }
        std::copy_n(mEntries.begin() + first, count, entries);
        return kDDOk;
    }

private:
    static bool InRange(int first, int count) {
        return first >= 0 && count >= 0 && first + count <= 256;
    }
    std::vector<uint32_t> mEntries = std::vector<uint32_t>(256, 0);
};

// The device's state, shared by its faces (QueryInterface).
struct DeviceState {
    explicit DeviceState(DisplayHost& host) : mHost(host) {}
    DisplayHost& mHost;
    Window* mWindow = nullptr;
    bool mExclusive = false;
    int mModeWidth = 0; // 0 until a display mode is set
    int mModeHeight = 0;
    int mModeBits = 0;
    std::shared_ptr<std::atomic<int64_t>> mVideoBytes = std::make_shared<std::atomic<int64_t>>(0);
};

class MemoryDirectDraw : public DirectDraw {
public:
    explicit MemoryDirectDraw(std::shared_ptr<DeviceState> state) : mState(std::move(state)) {}

    DDResult QueryInterface(std::shared_ptr<DirectDraw>& out) override {
        if (DDResult failure = TakeDirectDrawFailure("QueryInterface")) {
            return failure;
        }
        out = std::make_shared<MemoryDirectDraw>(mState);
        return kDDOk;
    }

    DDResult SetCooperativeLevel(Window* window, uint32_t flags) override {
        if (DDResult failure = TakeDirectDrawFailure("SetCooperativeLevel")) {
            return failure;
        }
        const bool exclusive = (flags & kDDCoopExclusive) != 0;
        if (exclusive && (window == nullptr || (flags & kDDCoopFullScreen) == 0)) {
            return kDDErrInvalidParams;
        }
        mState->mWindow = window;
        mState->mExclusive = exclusive;
        if (!exclusive) {
            // Leaving full screen gives the desktop's mode back.
            mState->mModeWidth = mState->mModeHeight = mState->mModeBits = 0;
        }
        return kDDOk;
    }

    DDResult SetDisplayMode(int width, int height, int bitCount) override {
        if (DDResult failure = TakeDirectDrawFailure("SetDisplayMode")) {
            return failure;
        }
        if (!mState->mExclusive) {
            return kDDErrNoExclusiveMode;
        }
        if (width <= 0 || height <= 0 || (bitCount != 16 && bitCount != 32)) {
            return kDDErrInvalidMode;
        }
        mState->mModeWidth = width;
        mState->mModeHeight = height;
        mState->mModeBits = bitCount;
        return kDDOk;
    }

    DDResult CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) override {
        if (DDResult failure = TakeDirectDrawFailure("CreateSurface")) {
            return failure;
        }
        const uint32_t caps = (desc.flags & kDescCaps) != 0 ? desc.caps : 0;
        if ((caps & kCapsPrimarySurface) != 0) {
            return CreatePrimary(desc, caps, out);
        }
        if ((desc.flags & (kDescWidth | kDescHeight)) != (kDescWidth | kDescHeight) ||
            desc.width <= 0 || desc.height <= 0) {
            return kDDErrInvalidParams;
        }
        const PixelFormat format =
            (desc.flags & kDescPixelFormat) != 0 ? desc.pixelFormat : ScreenFormat();
        if (format.bitCount != 16 && format.bitCount != 32) {
            return kDDErrInvalidPixelFormat;
        }
        const int64_t bytes = int64_t(desc.width) * desc.height * (format.bitCount / 8);
        if ((caps & kCapsVideoMemory) != 0 &&
            *mState->mVideoBytes + bytes > int64_t(mState->mHost.VideoMemoryBytes())) {
            return kDDErrOutOfMemory;
        }
        auto surface = std::make_shared<MemorySurface>(desc.width, desc.height, format, caps,
                                                       mState->mVideoBytes);
        if ((desc.flags & kDescSrcColorKey) != 0) {
            (void)surface->SetColorKey(kColorKeySrcBlt, &desc.srcColorKey);
        }
        out = surface;
        return kDDOk;
    }

    DDResult CreateClipper(std::shared_ptr<Clipper>& out) override {
        if (DDResult failure = TakeDirectDrawFailure("CreateClipper")) {
            return failure;
        }
        out = std::make_shared<MemoryClipper>();
        return kDDOk;
    }

    DDResult CreatePalette(const uint32_t* entries, std::shared_ptr<Palette>& out) override {
        if (DDResult failure = TakeDirectDrawFailure("CreatePalette")) {
            return failure;
        }
        out = std::make_shared<MemoryPalette>(entries);
        return kDDOk;
    }

    DDResult GetMonitorFrequency(uint32_t& hertz) override {
        if (DDResult failure = TakeDirectDrawFailure("GetMonitorFrequency")) {
            return failure;
        }
        return mState->mHost.MonitorFrequency(hertz);
    }

    DDResult GetAvailableVidMem(uint32_t caps, uint32_t& total, uint32_t& free) override {
        if (DDResult failure = TakeDirectDrawFailure("GetAvailableVidMem")) {
            return failure;
        }
        total = (caps & kCapsVideoMemory) != 0 ? mState->mHost.VideoMemoryBytes() : 0;
        const int64_t used = *mState->mVideoBytes;
        free = static_cast<uint32_t>(std::max<int64_t>(int64_t(total) - used, 0));
        return kDDOk;
    }

    DDResult GetDisplayMode(SurfaceDesc& desc) override {
        if (DDResult failure = TakeDirectDrawFailure("GetDisplayMode")) {
            return failure;
        }
        desc = SurfaceDesc{};
        desc.flags = kDescWidth | kDescHeight | kDescPixelFormat;
        desc.pixelFormat = ScreenFormat();
        if (mState->mModeBits != 0) {
            desc.width = mState->mModeWidth;
            desc.height = mState->mModeHeight;
        } else {
            mState->mHost.DesktopSize(desc.width, desc.height);
        }
        return kDDOk;
    }

private:
    // The format of the screen: the display mode's, else the desktop's.
    PixelFormat ScreenFormat() const {
        if (mState->mModeBits == 16) {
            return kFormat565;
        }
        if (mState->mModeBits == 32) {
            return kFormat888;
        }
        return mState->mHost.DesktopFormat();
    }

    DDResult CreatePrimary(const SurfaceDesc& desc, uint32_t caps, std::shared_ptr<Surface>& out) {
        if (mState->mWindow == nullptr) {
            return kDDErrNoCooperativeLevel;
        }
        const bool flipping = (caps & kCapsFlip) != 0;
        if (flipping && (!mState->mExclusive || (desc.flags & kDescBackBufferCount) == 0 ||
                         desc.backBufferCount < 1)) {
            return mState->mExclusive ? kDDErrInvalidParams : kDDErrNoExclusiveMode;
        }
        // The primary is the window's picture, whatever the size of the screen.
        int width = 0;
        int height = 0;
        mState->mWindow->GetClientSize(width, height);
        if (width <= 0 || height <= 0) {
            return kDDErrGeneric;
        }
        auto surface = std::make_shared<MemorySurface>(width, height, ScreenFormat(),
                                                       caps | kCapsVideoMemory, nullptr);
        surface->MakePrimary(mState->mWindow, flipping);
        out = surface;
        return kDDOk;
    }

    std::shared_ptr<DeviceState> mState;
};

} // namespace

std::shared_ptr<DirectDraw> MakeMemoryDirectDraw(DisplayHost& host) {
    return std::make_shared<MemoryDirectDraw>(std::make_shared<DeviceState>(host));
}

} // namespace Vuro::Platform
