// Where the 640 x 480 picture shows in a window or on a full screen, and where the mouse lands in
// it: the same arithmetic places the picture and maps every mouse event back.

#include "platform/sdl/SdlPicture.h"
#include "platform/sdl/SdlMessages.h"

#include <gtest/gtest.h>

#include <string>

namespace Vuro::Platform {
namespace {

TEST(SdlPictureTest, ThePictureFitsWithItsShapeKeptAndCentred) {
    struct Case {
        int areaWidth, areaHeight;
        SDL_Rect expected;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},     // a plain window: nothing moves
        {1280, 1024, {0, 32, 1280, 960}}, // 5:4, bars above and below
        {1920, 1080, {240, 0, 1440, 1080}},
        {1366, 768, {171, 0, 1024, 768}}, // centred, the odd pixel on the right
        {800, 600, {0, 0, 800, 600}},
        {320, 1000, {0, 380, 320, 240}},
        {0, 480, {0, 0, 0, 480}}, // nothing known: the area as it is
    };
    for (const Case& c : cases) {
        const SDL_Rect r = FitPicture(c.areaWidth, c.areaHeight, 640, 480);
        EXPECT_EQ(std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) +
                      "x" + std::to_string(r.h),
                  std::to_string(c.expected.x) + "," + std::to_string(c.expected.y) + " " +
                      std::to_string(c.expected.w) + "x" + std::to_string(c.expected.h))
            << c.areaWidth << "x" << c.areaHeight;
    }
}

TEST(SdlPictureTest, WindowPointsMapIntoThePicture) {
    struct Case {
        int windowWidth, windowHeight;
        int x, y;                 // in the window
        int expectedX, expectedY; // in the picture
    };
    const Case cases[] = {
        {640, 480, 0, 0, 0, 0},
        {640, 480, 639, 479, 639, 479},
        {640, 480, -5, 700, -5, 700}, // outside a plain window (captured): unchanged
        {1280, 1024, 640, 512, 320, 240},
        {1280, 1024, 0, 32, 0, 0},
        {1280, 1024, 1279, 991, 639, 479}, // the last screen pixel of the picture
        {1280, 1024, 1, 33, 0, 0},         // still the first picture pixel (rounded down)
        {1280, 1024, 0, 31, 0, -1},        // on the top bar: above the picture
        {1280, 1024, 0, 1023, 0, 495},     // on the bottom bar: below it
        {1920, 1080, 240, 0, 0, 0},
        {1920, 1080, 239, 1079, -1, 479}, // on the left bar
        {1920, 1080, 1679, 540, 639, 240},
        {1920, 1080, 1680, 540, 640, 240}, // on the right bar
        {0, 0, 17, 18, 17, 18},            // size unknown: unchanged
        {1, 1000, 0, 500, 0, 500},         // too thin to show the picture: unchanged
    };
    for (const Case& c : cases) {
        int x = c.x;
        int y = c.y;
        WindowToPicture(c.windowWidth, c.windowHeight, 640, 480, x, y);
        EXPECT_EQ(x, c.expectedX) << c.windowWidth << "x" << c.windowHeight << " " << c.x;
        EXPECT_EQ(y, c.expectedY) << c.windowWidth << "x" << c.windowHeight << " " << c.y;
    }
}

// Full screen on 1280 x 1024, the events of the window arrive in picture pixels, and the wheel
// reports where the pointer last was in the picture.
TEST(SdlPictureTest, MouseEventsOfAFullScreenWindowArriveInPicturePixels) {
    SdlInputState state;
    state.windowWidth = 1280;
    state.windowHeight = 1024;
    state.clientWidth = 640;
    state.clientHeight = 480;
    std::vector<Message> out;
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 2;
    motion.motion.x = 1000;
    motion.motion.y = 600;
    TranslateSdlEvent(motion, state, out);
    SDL_Event button{};
    button.button.type = SDL_MOUSEBUTTONDOWN;
    button.button.windowID = 2;
    button.button.button = SDL_BUTTON_LEFT;
    button.button.clicks = 1;
    button.button.x = 101;
    button.button.y = 101;
    TranslateSdlEvent(button, state, out);
    SDL_Event wheel{};
    wheel.wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = 2;
    wheel.wheel.y = 1;
    TranslateSdlEvent(wheel, state, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].lParam, MakePointParam(500, 284));
    EXPECT_EQ(out[1].lParam, MakePointParam(50, 34));
    EXPECT_EQ(out[2].lParam, MakePointParam(50, 34));
    EXPECT_EQ(state.mouseX, 50);
    EXPECT_EQ(state.mouseY, 34);
}

} // namespace
} // namespace Vuro::Platform
