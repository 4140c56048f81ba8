#pragma once
// A window system that shows nothing and remembers everything: the windows made, what was
// presented, which boxes were asked. Installs itself as the process's window system for its
// lifetime; windows made by it must be destroyed first.

#include "platform/Window.h"

#include <algorithm>
#include <cstdint>
#include <string>
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
        return Platform::DefaultMessageBoxAnswer(flags);
    }

    // The most recently made window that still exists; null when none.
    FakeWindow* LastWindow() const { return mLive.empty() ? nullptr : mLive.back(); }

    bool mCanCreate = true;
    int mDesktopWidth = 1024;
    int mDesktopHeight = 768;
    int mCreated = 0;
    std::vector<Box> mBoxes;
    std::vector<FakeWindow*> mLive;

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
