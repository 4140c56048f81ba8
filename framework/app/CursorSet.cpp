#include "framework/app/CursorSet.h"

#include "framework/graphics/MemoryImage.h"

namespace Vuro {

// A pointing hand, the tip of the index finger at the hot spot.
// clang-format off
const char* const CursorSet::kHandRows[32] = {
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "          XXXX                  ",
    "          X..X                  ",
    "          X..X                  ",
    "          X..X                  ",
    "          X..X                  ",
    "          X..X                  ",
    "          X...XXX               ",
    "          X..X...XXX            ",
    "          X..X..X...XXX         ",
    "          X..X..X..X..X         ",
    "          X..X..X..X..X         ",
    "     XXXXX...X..X..X..X         ",
    "     X................X         ",
    "     X................X         ",
    "     XX...............X         ",
    "       X..............X         ",
    "       XX.............X         ",
    "         X............X         ",
    "         X............X         ",
    "         X............X         ",
    "         X............X         ",
    "          X..........X          ",
    "          X..........X          ",
    "          XXXXXXXXXXXX          ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};
// clang-format on

// A closed, grabbing hand.
// clang-format off
const char* const CursorSet::kDragRows[32] = {
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "        XXXXXXXXXXXXXXXX        ",
    "        X..X...X...X...X        ",
    "        X..X...X...X...X        ",
    "       X...X...X...X....X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       X................X       ",
    "       XX..............XX       ",
    "         X............X         ",
    "         X............X         ",
    "         XXXXXXXXXXXXXX         ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};
// clang-format on

const Platform::Cursor* CursorSet::Shape(int number) {
    using Platform::SystemCursor;
    if (number < 0 || number >= kShapeCount) {
        number = 0;
    }
    std::unique_ptr<Platform::Cursor>& cursor = mShapes[number];
    if (cursor == nullptr) {
        Platform::WindowSystem& system = Platform::GetWindowSystem();
        switch (number) {
        case 1:
            cursor = system.CreateMaskCursor(kHandRows, kHandHotX, kHandHotY);
            break;
        case 2:
            cursor = system.CreateMaskCursor(kDragRows, kDragHotX, kDragHotY);
            break;
        case 3:
            cursor = system.CreateSystemCursor(SystemCursor::IBeam);
            break;
        case 4:
            cursor = system.CreateSystemCursor(SystemCursor::No);
            break;
        default:
            cursor = system.CreateSystemCursor(SystemCursor::Arrow);
            break;
        }
    }
    return cursor.get();
}

const Platform::Cursor* CursorSet::FromImage(Image* image) {
    auto* memoryImage = dynamic_cast<MemoryImage*>(image);
    if (memoryImage == nullptr) {
        return nullptr;
    }
    int changes = memoryImage->mBitsChangedCount;
    for (ImageCursor& entry : mImageCursors) {
        if (entry.image == image && entry.bitsChangedCount == changes) {
            return entry.cursor.get();
        }
    }
    const uint32_t* bits = memoryImage->GetBits();
    int width = memoryImage->GetWidth();
    int height = memoryImage->GetHeight();
    if (bits == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    ForgetImage(image);
    ++mGeneration;
    mImageCursors.push_back(ImageCursor{
        image, changes,
        Platform::GetWindowSystem().CreateColorCursor(bits, width, height, width / 2, height / 2)});
    return mImageCursors.back().cursor.get();
}

void CursorSet::ForgetImage(const Image* image) {
    if (std::erase_if(mImageCursors,
                      [&](const ImageCursor& entry) { return entry.image == image; }) > 0) {
        ++mGeneration;
    }
}

} // namespace Vuro
