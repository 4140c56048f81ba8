#pragma once
// A row of a picture step's table: the file the game loads, the cel grid (rows x columns) it
// cuts the picture into, the size of one cel, the file kind, and the painter that draws it.
// The painter is a function, so a picture without one does not compile.

#include "tools/assetgen/art/ImageFormat.h"

#include <string>

namespace Vuro::AssetGen {

namespace Art {
class Sheet;
}

// The row without its painter: what the picture step needs to make the sheet and the file.
struct PictureLayout {
    const char* mName; // as the game loads it, under bin/, without extension
    int mRows;
    int mColumns;
    int mCelWidth;
    int mCelHeight;
    Art::ImageFormat mFormat;
};

// `Inputs` is what the step reads from its sources before it paints (captions, scenes, ...).
// A painter draws into a sheet of the row's grid and cel size; it gets the inputs and the
// row's own name (the pictures painted from a scene look theirs up by it).
template <typename Inputs> struct Picture : PictureLayout {
    using Painter = void (*)(Art::Sheet& sheet, const Inputs& inputs, const std::string& name);

    constexpr Picture(const char* name, int rows, int columns, int celWidth, int celHeight,
                      Art::ImageFormat format, Painter paint)
        : PictureLayout{name, rows, columns, celWidth, celHeight, format}, mPaint(paint) {}

    Painter mPaint;
};

} // namespace Vuro::AssetGen
