#include "platform/sdl/SdlPicture.h"

#include <cstdint>

namespace Vuro::Platform {

namespace {

// a / b rounded toward minus infinity (b > 0): points left of the picture stay left of it.
int64_t FloorDivide(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

SDL_Rect FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    if (areaWidth <= 0 || areaHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return SDL_Rect{0, 0, areaWidth, areaHeight};
    }
    // Compared as products, so equal shapes fill the area exactly.
    const int64_t byWidth = int64_t(areaWidth) * pictureHeight;
    const int64_t byHeight = int64_t(areaHeight) * pictureWidth;
    if (byWidth <= byHeight) {
        const int height = static_cast<int>(byWidth / pictureWidth);
        return SDL_Rect{0, (areaHeight - height) / 2, areaWidth, height};
    }
    const int width = static_cast<int>(byHeight / pictureHeight);
    return SDL_Rect{(areaWidth - width) / 2, 0, width, areaHeight};
}

void WindowToPicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight, int& x,
                     int& y) {
    if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return;
    }
    const SDL_Rect frame = FitPicture(windowWidth, windowHeight, pictureWidth, pictureHeight);
    if (frame.w <= 0 || frame.h <= 0) {
        return; // a window too thin to show any of the picture
    }
    x = static_cast<int>(FloorDivide(int64_t(x - frame.x) * pictureWidth, frame.w));
    y = static_cast<int>(FloorDivide(int64_t(y - frame.y) * pictureHeight, frame.h));
}

} // namespace Vuro::Platform
