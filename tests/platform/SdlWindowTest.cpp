// The SDL window system and event source on SDL's dummy video driver (the tests' main selects
// it): windows can be made and shown, frames presented, boxes answered without a display.

#include "platform/EventSource.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"
#include "platform/sdl/SdlPicture.h"
#include "platform/sdl/SdlWindowPicture.h"
#include "platform/sdl/SdlWindows.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace Vuro::Platform {
namespace {

TEST(SdlWindowTest, AWindowPresentsA640By480Frame) {
    WindowParams params;
    params.title = "Сад"_cp1251;
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(params);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->Id(), 0u);
    window->Show();
    window->Focus();
    window->Raise();
    EXPECT_FALSE(window->IsMinimized());
    std::vector<uint32_t> pixels(640 * 480, 0xFF336699u);
    EXPECT_TRUE(window->Present(pixels.data(), 640, 480));
    // A frame of another size is scaled to the window.
    std::vector<uint32_t> small(320 * 240, 0xFF000000u);
    EXPECT_TRUE(window->Present(small.data(), 320, 240));
    window->Hide();
}

// What a presented frame leaves in the window (the dummy driver's window surface, 32-bit
// xRGB): a 32-bit frame's colours with its alpha ignored; a 5-6-5 frame widened; a frame of
// another shape scaled to the nearest pixel between black bars, whatever was shown before.
TEST(SdlWindowTest, APresentedFrameIsWhatTheWindowShows) {
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    window->Show();
    const auto shown = [&window](int x, int y) {
        SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(window->Id()));
        EXPECT_NE(surface, nullptr);
        EXPECT_EQ(surface->format->format, SDL_PIXELFORMAT_RGB888);
        const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    };
    std::vector<uint32_t> frame(640 * 480);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint32_t>(i * 2654435761u);
    }
    ASSERT_TRUE(window->Present(frame.data(), 640, 480));
    for (const int i : {0, 1, 639, 640, 123457, 640 * 480 - 1}) {
        EXPECT_EQ(shown(i % 640, i / 640), frame[i] & 0xFFFFFF) << i;
    }

    // Red, green, blue, white at their 5-6-5 maxima, and 1 of 31, 63, 31, widened by our own
    // rows (top bits repeated: every maximum is 255), not by SDL's table (green up to 254).
    const uint16_t colours[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0821};
    const uint32_t widened[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080408};
    std::vector<uint16_t> narrow(640 * 480);
    for (size_t i = 0; i < narrow.size(); ++i) {
        narrow[i] = colours[i % 5];
    }
    ASSERT_TRUE(window->PresentPixels(narrow.data(), 1280, 640, 480, 16, 0xF800, 0x07E0, 0x001F));
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(shown(x, 7), widened[(7 * 640 + x) % 5]) << x;
    }

    // Full screen a 640 x 400 picture fills the 4:3 desktop's width: scaled to the nearest
    // pixel, black bars above and below, whatever was shown there before.
    WindowParams wide;
    wide.height = 400;
    wide.fullScreen = true;
    std::unique_ptr<Window> full = GetWindowSystem().CreateWindow(wide);
    ASSERT_NE(full, nullptr);
    full->Show();
    SDL_Window* fullWindow = SDL_GetWindowFromID(full->Id());
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(fullWindow, &width, &height);
    ASSERT_EQ(width * 3, height * 4) << "a 4:3 desktop";
    const SDL_Rect fit = FitPicture(width, height, 640, 400);
    ASSERT_TRUE(full->Present(frame.data(), 640, 480)); // covers the window (not its shape)
    // Blocks of 8 x 8, so that every rounding of the nearest pixel agrees at their centres.
    std::vector<uint32_t> blocks(640 * 400);
    for (size_t i = 0; i < blocks.size(); ++i) {
        blocks[i] = frame[(i / 640 / 8) * 80 + i % 640 / 8];
    }
    ASSERT_TRUE(full->Present(blocks.data(), 640, 400));
    window = std::move(full);
    EXPECT_EQ(shown(0, 0), 0u);
    EXPECT_EQ(shown(width - 1, fit.y - 1), 0u);
    EXPECT_EQ(shown(0, fit.y + fit.h), 0u);
    for (const int block : {1, 79, 80, 1234, 80 * 50 - 1}) {
        const int x = fit.x + (block % 80 * 8 + 4) * fit.w / 640;
        const int y = fit.y + (block / 80 * 8 + 4) * fit.h / 400;
        EXPECT_EQ(shown(x, y), frame[block] & 0xFFFFFF) << block;
    }
}

// The way pictures go is chosen once: Mesa's processor rasterisers are passed over for the
// window's surface, and so is every renderer where nothing is shown.
TEST(SdlWindowTest, SoftwareRasterisersAndHeadlessDriversPresentThroughTheWindowSurface) {
    const std::pair<const char*, bool> kDevices[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa X11 Software Rasterizer", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", false},
        {"", false}};
    for (const auto& [device, software] : kDevices) {
        EXPECT_EQ(IsSoftwareRasteriser(device), software) << device;
    }
    EXPECT_FALSE(PresentsThroughRenderer());
}

TEST(SdlWindowTest, TheDesktopHasASize) {
    int width = 0;
    int height = 0;
    ASSERT_TRUE(GetWindowSystem().GetDesktopSize(width, height));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
}

TEST(SdlWindowTest, WithoutADisplayABoxIsWrittenToStderrAndAnswersItsDefault) {
    ::testing::internal::CaptureStderr();
    int answer = GetWindowSystem().ShowMessageBox("Продолжить?"_cp1251, "Вопрос"_cp1251,
                                                  kMbYesNo | kMbIconQuestion);
    std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, kIdYes);
    EXPECT_EQ(written, "Вопрос: Продолжить?\n");
}

TEST(SdlEventSourceTest, APostedMessageComesBackInOrderWithItsParameters) {
    EventSource& source = GetEventSource();
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    Message drained;
    while (source.PeekMessage(drained)) {
    }
    ASSERT_TRUE(source.PostMessage(Message{window->Id(), kWmClose, 0, 0}));
    ASSERT_TRUE(
        source.PostMessage(Message{window->Id(), kWmFirstRegistered, 0xFFFFFFFF12345678ull, -42}));
    std::vector<Message> got;
    Message message;
    while (source.PeekMessage(message)) {
        got.push_back(message);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].window, window->Id());
    EXPECT_EQ(got[0].message, kWmClose);
    EXPECT_EQ(got[1].message, kWmFirstRegistered);
    EXPECT_EQ(got[1].wParam, 0xFFFFFFFF12345678ull);
    EXPECT_EQ(got[1].lParam, -42);
}

TEST(SdlEventSourceTest, WithoutAWindowPostedMessagesStillArrive) {
    EventSource& source = GetEventSource();
    ASSERT_TRUE(source.PostMessage(Message{0, kWmEndSession, 1, 0}));
    Message message;
    ASSERT_TRUE(source.PeekMessage(message));
    EXPECT_EQ(message.message, kWmEndSession);
    EXPECT_FALSE(source.PeekMessage(message));
}

} // namespace
} // namespace Vuro::Platform

namespace Vuro::Platform {
namespace {

// The window itself covers the desktop (no window manager may be there to resize it), its
// client size stays the picture's; back in a window it has the client size again.
TEST(SdlWindowTest, AFullScreenWindowCoversTheDesktopAndShowsTheImageScaled) {
    WindowParams params;
    params.fullScreen = true;
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(params);
    ASSERT_NE(window, nullptr);
    window->Show();
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(GetWindowSystem().GetDesktopSize(desktopWidth, desktopHeight));
    const auto sizes = [&window] {
        int sizes[4] = {};
        EXPECT_TRUE(QuerySdlWindowSizes(window->Id(), sizes[0], sizes[1], sizes[2], sizes[3]));
        return std::to_string(sizes[0]) + "x" + std::to_string(sizes[1]) + " showing " +
               std::to_string(sizes[2]) + "x" + std::to_string(sizes[3]);
    };
    const std::string covering =
        std::to_string(desktopWidth) + "x" + std::to_string(desktopHeight) + " showing 640x480";
    EXPECT_EQ(sizes(), covering);
    std::vector<uint32_t> pixels(640 * 480, 0xFF102030u);
    EXPECT_TRUE(window->Present(pixels.data(), 640, 480));
    int x = 0;
    int y = 0;
    EXPECT_FALSE(window->GetNormalPosition(x, y)) << "full screen has no normal position";
    window->SetMouseCapture(true);
    window->SetMouseCapture(false);
    window->SetFullScreen(false);
    EXPECT_EQ(sizes(), "640x480 showing 640x480");
    window->SetFullScreen(true);
    EXPECT_EQ(sizes(), covering);
}

// Only the window's own thread renders: a frame from another thread waits, a newer one replaces
// it under the same event, and the event source shows it without handing out a message.
TEST(SdlWindowTest, AFramePresentedFromAnotherThreadWaitsForTheWindowsThread) {
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    EventSource& source = GetEventSource();
    Message message;
    while (source.PeekMessage(message)) {
    }
    std::vector<uint16_t> pixels(640 * 480, 0xF800);
    std::thread([&] {
        for (int frame = 0; frame < 2; ++frame) {
            EXPECT_TRUE(
                window->PresentPixels(pixels.data(), 1280, 640, 480, 16, 0xF800, 0x07E0, 0x001F));
        }
    }).join();
    const uint32_t type = WaitingFrameEventType();
    SDL_PumpEvents();
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, type, type), 1);
    EXPECT_FALSE(source.PeekMessage(message));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, type, type), 0);
}

// The window keeps a picture its surface holds as it was given (32 bits, its own size), the
// bits outside the channels included, and gives it back until the next present: also while it
// waits for the window's thread, and across a change to full screen. Converted or scaled
// pictures are not kept.
TEST(SdlWindowTest, AWindowKeepsAPictureItsSurfaceHoldsExactly) {
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    window->Show();
    std::vector<uint32_t> frame(640 * 480);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint32_t>(i * 2654435761u);
    }
    std::vector<uint32_t> read(frame.size());
    const auto readBack = [&] {
        std::fill(read.begin(), read.end(), 0u);
        return window->ReadPicture(read.data(), 640 * 4, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF);
    };
    ASSERT_TRUE(window->PresentPixels(frame.data(), 640 * 4, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF));
    EXPECT_TRUE(window->KeepsPicture());
    ASSERT_TRUE(readBack());
    EXPECT_EQ(read, frame);
    EXPECT_FALSE(window->ReadPicture(read.data(), 640 * 2, 640, 480, 16, 0xF800, 0x07E0, 0x001F))
        << "another format";

    std::vector<uint16_t> narrow(640 * 480, 0xF800);
    ASSERT_TRUE(window->PresentPixels(narrow.data(), 1280, 640, 480, 16, 0xF800, 0x07E0, 0x001F));
    EXPECT_FALSE(window->KeepsPicture()) << "converted";
    EXPECT_FALSE(window->ReadPicture(narrow.data(), 1280, 640, 480, 16, 0xF800, 0x07E0, 0x001F));
    ASSERT_TRUE(window->Present(frame.data(), 320, 240));
    EXPECT_FALSE(window->KeepsPicture()) << "scaled";

    // From another thread: kept while it waits, and after the window's thread shows it.
    std::thread([&] {
        EXPECT_TRUE(
            window->PresentPixels(frame.data(), 640 * 4, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF));
    }).join();
    ASSERT_TRUE(readBack());
    EXPECT_EQ(read, frame);
    Message message;
    while (GetEventSource().PeekMessage(message)) {
    }
    ASSERT_TRUE(readBack());
    EXPECT_EQ(read, frame);
    window->SetFullScreen(true);
    ASSERT_TRUE(readBack());
    EXPECT_EQ(read, frame) << "across the change to full screen";
    ASSERT_TRUE(window->PresentPixels(frame.data(), 640 * 4, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF));
    EXPECT_FALSE(window->KeepsPicture()) << "scaled to the desktop";
}

TEST(SdlWindowTest, AWindowReportsWhereItIsAndTheWorkAreaIsKnown) {
    WindowParams params;
    params.x = 40;
    params.y = 50;
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(params);
    ASSERT_NE(window, nullptr);
    window->Show();
    int x = 0;
    int y = 0;
    ASSERT_TRUE(window->GetNormalPosition(x, y));
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 50);
    int areaX = 0;
    int areaY = 0;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(GetWindowSystem().GetWorkArea(areaX, areaY, width, height));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
}

TEST(SdlWindowTest, CursorsCanBeMadeAndShownEvenWhereNoneCanBeDrawn) {
    WindowSystem& system = GetWindowSystem();
    std::unique_ptr<Window> window = system.CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    static const char* const kRows[32] = {"X.", "X.", nullptr};
    const char* rows[32];
    for (int i = 0; i < 32; ++i) {
        rows[i] = i < 2 ? kRows[i] : "";
    }
    std::unique_ptr<Cursor> mask = system.CreateMaskCursor(rows, 0, 0);
    std::vector<uint32_t> pixels(16 * 16, 0xFFFF0000u);
    std::unique_ptr<Cursor> color = system.CreateColorCursor(pixels.data(), 16, 16, 8, 8);
    std::unique_ptr<Cursor> beam = system.CreateSystemCursor(SystemCursor::IBeam);
    ASSERT_NE(mask, nullptr);
    ASSERT_NE(color, nullptr);
    ASSERT_NE(beam, nullptr);
    system.SetCursor(mask.get());
    system.SetCursor(color.get());
    system.SetCursor(nullptr);
    system.SetCursor(beam.get());
    system.AllowScreenSaver(true);
    system.AllowScreenSaver(false);
    ScreenSaverInfo info;
    EXPECT_FALSE(system.QueryScreenSaver(info)) << "the dummy driver has no screen saver";
    EXPECT_FALSE(info.settingsKnown);
}

} // namespace
} // namespace Vuro::Platform
