#pragma once
// A display device for tests: surfaces in memory as on the real desktop, with a desktop whose
// format, size, refresh rate and video memory the test sets. Installs itself as the process's
// DirectDrawSystem for its lifetime and clears every injected failure when it goes; Fail
// injects one by operation name (see platform/DirectDraw.h).

#include "platform/DirectDraw.h"
#include "platform/MemoryDirectDraw.h"

#include <memory>
#include <string>

namespace Vuro::Test {

class FakeDirectDraw : public Platform::DirectDrawSystem, public Platform::DisplayHost {
public:
    FakeDirectDraw() {
        Platform::ClearDirectDrawFailures();
        Platform::SetDirectDrawSystem(this);
    }
    ~FakeDirectDraw() override {
        Platform::SetDirectDrawSystem(nullptr);
        Platform::ClearDirectDrawFailures();
    }
    FakeDirectDraw(const FakeDirectDraw&) = delete;
    FakeDirectDraw& operator=(const FakeDirectDraw&) = delete;

    // The operation fails with `result` after `skip` successful calls, `count` times.
    static void Fail(const std::string& operation, Platform::DDResult result, int skip = 0,
                     int count = 1) {
        Platform::InjectDirectDrawFailure(operation, result, skip, count);
    }

    Platform::DDResult Create(std::shared_ptr<Platform::DirectDraw>& out) override {
        ++mCreated;
        out = Platform::MakeMemoryDirectDraw(*this);
        return Platform::kDDOk;
    }

    Platform::PixelFormat DesktopFormat() override { return mDesktopFormat; }
    void DesktopSize(int& width, int& height) override {
        width = mDesktopWidth;
        height = mDesktopHeight;
    }
    Platform::DDResult MonitorFrequency(uint32_t& hertz) override {
        hertz = mFrequency;
        return mFrequencyResult;
    }
    uint32_t VideoMemoryBytes() override { return mVideoMemory; }

    Platform::PixelFormat mDesktopFormat = Platform::kFormat888;
    int mDesktopWidth = 1024;
    int mDesktopHeight = 768;
    uint32_t mFrequency = 60;
    Platform::DDResult mFrequencyResult = Platform::kDDOk;
    uint32_t mVideoMemory = 16u << 20;
    int mCreated = 0;
};

} // namespace Vuro::Test
