#pragma once
// Where the application's picture shows in its window, and where a point of the window lies in
// the picture. A window shows its client-sized picture as large as it fits with its shape kept,
// centred, the rest black: in a plain window the sizes agree and nothing moves; full screen the
// picture is scaled to the screen and mouse positions are scaled back. Pure arithmetic, so the
// mapping is tested with tables; the renderer (pixels) and the mouse (window points) each fit
// the picture into their own size.

#include <SDL.h>

namespace Vuro::Platform {

// The picture's rectangle in an area of areaWidth x areaHeight; the whole area when either
// size is not positive.
SDL_Rect FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

// A point (x, y) of a window of windowWidth x windowHeight, in the pixels of the picture of
// pictureWidth x pictureHeight it shows (rounded down; points on the bars lie outside the
// picture). Unchanged when a size is not positive.
void WindowToPicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight, int& x,
                     int& y);

} // namespace Vuro::Platform
