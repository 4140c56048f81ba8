#pragma once
// A window system that shows nothing and remembers everything: the windows made, what was
// presented, which boxes were asked, the cursors made and shown, the screen saver's permission.
// Installs itself as the process's window system for its lifetime; windows made by it must be
// destroyed first. A window's mouse and position answers, the work area, the frame and the
// screen saver's state are set by the test.

#include "platform/Window.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Vuro::Test {

class FakeWindowSystem;

class FakeWindow : public Platform::Window {
public:
    FakeWindow(FakeWindowSystem& system, uint32_t id, const Platform::WindowParams& params);
    ~FakeWindow() override;

    uint32_t Id() const override { return mId; }
    void Show() override { mVisible = true; }
    void Hide() override { mVisible = false; }
    void SetTitle(const std::string& title) override { mParams.title = title; }
    void Focus() override { ++mFocusCalls; }
    void Raise() override {
        ++mRaiseCalls;
        mMinimized = false;
    }
    bool IsMinimized() override { return mMinimized; }
    void SetFullScreen(bool fullScreen) override {
        mParams.fullScreen = fullScreen;
        ++mFullScreenChanges;
    }
    bool Present(const uint32_t* pixels, int width, int height) override {
        ++mPresents;
        mLastWidth = width;
        mLastHeight = height;
        mFirstPixel = width > 0 && height > 0 ? pixels[0] : 0;
        return mPresentSucceeds;
    }

    // Only the first pixel is converted (as the base would), so presenting costs tests nothing.
    bool PresentPixels(const void* pixels, int pitch, int width, int height, int bitCount,
                       uint32_t redMask, uint32_t greenMask, uint32_t blueMask) override {
        const bool shown =
            Window::PresentPixels(pixels, pitch, std::min(width, 1), std::min(height, 1), bitCount,
                                  redMask, greenMask, blueMask);
        mLastWidth = width;
        mLastHeight = height;
        mLastPixels = pixels;
        mKept.clear();
        if (mKeepsPictures && shown && width > 0 && height > 0) {
            const auto* rows = static_cast<const uint8_t*>(pixels);
            mKept.assign(rows, rows + static_cast<size_t>(pitch) * height);
            mKeptPitch = pitch;
            mKeptBitCount = bitCount;
        }
        return shown;
    }
    // With mKeepsPictures, the rows last given to PresentPixels are kept and read back as they
    // were; mPictureReads counts the reads.
    bool KeepsPicture() override { return !mKept.empty(); }
    bool ReadPicture(void* pixels, int pitch, int width, int height, int bitCount, uint32_t,
                     uint32_t, uint32_t) override {
        if (mKept.empty() || width != mLastWidth || height != mLastHeight ||
            bitCount != mKeptBitCount) {
            return false;
        }
        ++mPictureReads;
        for (int y = 0; y < height; ++y) {
            std::copy_n(mKept.begin() + static_cast<ptrdiff_t>(y) * mKeptPitch,
                        static_cast<size_t>(width) * (bitCount / 8),
                        static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
        }
        return true;
    }
    void GetClientSize(int& width, int& height) override {
        width = mParams.width;
        height = mParams.height;
    }

    void SetMouseCapture(bool capture) override { mCaptured = capture; }
    bool GetMouseInClient(int& x, int& y) override {
        x = mMouseX;
        y = mMouseY;
        return mMouseOver;
    }
    bool GetNormalPosition(int& x, int& y) override {
        x = mNormalX;
        y = mNormalY;
        return mShownNormally;
    }

    FakeWindowSystem& mSystem;
    uint32_t mId;
    Platform::WindowParams mParams;
    bool mVisible = false;
    bool mMinimized = false;
    bool mPresentSucceeds = true;
    int mFocusCalls = 0;
    int mRaiseCalls = 0;
    int mFullScreenChanges = 0;
    int mPresents = 0;
    int mLastWidth = 0;
    int mLastHeight = 0;
    uint32_t mFirstPixel = 0;
    const void* mLastPixels = nullptr; // the rows PresentPixels was last given
    bool mKeepsPictures = false;
    std::vector<uint8_t> mKept;
    int mKeptPitch = 0;
    int mKeptBitCount = 0;
    int mPictureReads = 0;
    bool mCaptured = false;
    bool mMouseOver = false; // GetMouseInClient answers this and mMouseX, mMouseY
    int mMouseX = 0;
    int mMouseY = 0;
    bool mShownNormally = true; // GetNormalPosition answers this and mNormalX, mNormalY
    int mNormalX = 0;
    int mNormalY = 0;
};

// A cursor that says what it was made from: "arrow", "ibeam", "no", "mask 11,4" or
// "color 32x32 16,16".
class FakeCursor : public Platform::Cursor {
public:
    explicit FakeCursor(std::string what) : mWhat(std::move(what)) {}
    std::string mWhat;
};

class FakeWindowSystem : public Platform::WindowSystem {
public:
    struct Box {
        std::string text;
        std::string title;
        uint32_t flags;
    };

    FakeWindowSystem() { Platform::SetWindowSystem(this); }
    ~FakeWindowSystem() override { Platform::SetWindowSystem(nullptr); }
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    FakeWindowSystem& operator=(const FakeWindowSystem&) = delete;

    std::unique_ptr<Platform::Window> CreateWindow(const Platform::WindowParams& params) override {
        if (!mCanCreate) {
            return nullptr;
        }
        ++mCreated;
        return std::make_unique<FakeWindow>(*this, mNextId++, params);
    }
    bool GetDesktopSize(int& width, int& height) override {
        width = mDesktopWidth;
        height = mDesktopHeight;
        return true;
    }
    int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        mBoxes.push_back({text, title, flags});
        if (!mAnswers.empty()) {
            int answer = mAnswers.front();
            mAnswers.erase(mAnswers.begin());
            return answer;
        }
        return Platform::DefaultMessageBoxAnswer(flags);
    }

    bool GetWorkArea(int& x, int& y, int& width, int& height) override {
        x = mWorkX;
        y = mWorkY;
        width = mWorkWidth;
        height = mWorkHeight;
        return true;
    }
    void GetFrameSize(int& left, int& top, int& right, int& bottom) override {
        left = mFrameLeft;
        top = mFrameTop;
        right = mFrameRight;
        bottom = mFrameBottom;
    }
    std::unique_ptr<Platform::Cursor> CreateSystemCursor(Platform::SystemCursor shape) override {
        using Platform::SystemCursor;
        return std::make_unique<FakeCursor>(shape == SystemCursor::IBeam ? "ibeam"
                                            : shape == SystemCursor::No  ? "no"
                                                                         : "arrow");
    }
    std::unique_ptr<Platform::Cursor> CreateMaskCursor(Platform::CursorRows, int hotX,
                                                       int hotY) override {
        return std::make_unique<FakeCursor>("mask " + std::to_string(hotX) + "," +
                                            std::to_string(hotY));
    }
    std::unique_ptr<Platform::Cursor> CreateColorCursor(const uint32_t*, int width, int height,
                                                        int hotX, int hotY) override {
        return std::make_unique<FakeCursor>("color " + std::to_string(width) + "x" +
                                            std::to_string(height) + " " + std::to_string(hotX) +
                                            "," + std::to_string(hotY));
    }
    void SetCursor(const Platform::Cursor* cursor) override {
        ++mCursorSets;
        auto* fake = static_cast<const FakeCursor*>(cursor);
        mShownCursor = fake != nullptr ? fake->mWhat : "none";
    }
    void AllowScreenSaver(bool allow) override { mScreenSaverAllowed = allow; }
    bool QueryScreenSaver(Platform::ScreenSaverInfo& info) override {
        info = mScreenSaver;
        return mScreenSaver.settingsKnown;
    }

    // The boxes shown so far, each as "title: text".
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const Box& box : mBoxes) {
            texts.push_back(box.title + ": " + box.text);
        }
        return texts;
    }

    // The most recently made window that still exists; null when none.
    FakeWindow* LastWindow() const { return mLive.empty() ? nullptr : mLive.back(); }

    bool mCanCreate = true;
    int mDesktopWidth = 1024;
    int mDesktopHeight = 768;
    int mCreated = 0;
    std::vector<Box> mBoxes;
    std::vector<int> mAnswers; // the answers of the next boxes in order; then the default one
    std::vector<FakeWindow*> mLive;
    int mWorkX = 0;
    int mWorkY = 0;
    int mWorkWidth = 1024;
    int mWorkHeight = 738;
    int mFrameLeft = 0;
    int mFrameTop = 0;
    int mFrameRight = 0;
    int mFrameBottom = 0;
    int mCursorSets = 0;
    std::string mShownCursor; // what the last SetCursor showed; "none" for hidden
    bool mScreenSaverAllowed = true;
    Platform::ScreenSaverInfo mScreenSaver;

private:
    uint32_t mNextId = 1;
};

inline FakeWindow::FakeWindow(FakeWindowSystem& system, uint32_t id,
                              const Platform::WindowParams& params)
    : mSystem(system), mId(id), mParams(params) {
    mSystem.mLive.push_back(this);
}

inline FakeWindow::~FakeWindow() {
    auto& live = mSystem.mLive;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

} // namespace Vuro::Test
