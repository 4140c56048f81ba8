#pragma once
// Where the main window goes on the desktop when it opens in a window. Sizes and positions are
// of the whole window (client area and frame).
//
// - With a preferred position (both not -1): that position, but at least 4 pixels inside the
//   work area's left and top edges, and moved back so that the window ends 4 pixels inside its
//   right and bottom edges when it would reach them.
// - Without one: centred horizontally, and 38.2 % of the way down the free vertical space.

namespace Vuro {

struct WindowArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct WindowPlacement {
    int x = 0;
    int y = 0;

    static WindowPlacement Place(int preferredX, int preferredY, int width, int height,
                                 const WindowArea& workArea);
};

} // namespace Vuro
