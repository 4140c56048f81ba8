#pragma once
// The mouse cursors the application shows, made on first use through the window system: the
// cursor of each cursor number (0 arrow, 1 hand, 2 drag, 3 text beam, 4 no-entry) and colour
// cursors made from images. A colour cursor is centred on the mouse, as the display centres a
// software cursor image, and is made again when the image's pixels change.

#include "platform/Window.h"

#include <memory>
#include <vector>

namespace Vuro {

class Image;

class CursorSet {
public:
    static constexpr int kShapeCount = 5;
    // Rows of the 32 x 32 hand and drag cursors ('X' black, '.' white) and their hot spots.
    static const char* const kHandRows[32];
    static const char* const kDragRows[32];
    static constexpr int kHandHotX = 11;
    static constexpr int kHandHotY = 4;
    static constexpr int kDragHotX = 15;
    static constexpr int kDragHotY = 10;

    // The cursor of a cursor number 0..4; any other number gives the arrow.
    const Platform::Cursor* Shape(int number);
    // A colour cursor showing the image; null when the image has no pixels.
    const Platform::Cursor* FromImage(Image* image);
    // Lets go of the colour cursor of an image that is no longer used.
    void ForgetImage(const Image* image);
    // Counts the colour cursors made and let go: a cursor shown before a change may be gone.
    int Generation() const { return mGeneration; }

private:
    struct ImageCursor {
        const Image* image;
        int bitsChangedCount;
        std::unique_ptr<Platform::Cursor> cursor;
    };
    std::unique_ptr<Platform::Cursor> mShapes[kShapeCount];
    std::vector<ImageCursor> mImageCursors;
    int mGeneration = 0;
};

} // namespace Vuro
