#pragma once
// A strip or grid of equal cels on one canvas, as the game cuts its animated pictures: cel
// `index` lies in row index / columns and column index % columns.

#include "tools/assetgen/art/Canvas.h"

namespace Vuro::AssetGen::Art {

class Sheet {
public:
    Sheet(int celWidth, int celHeight, int rows, int columns);

    // Draws one cel: `paint` sees a context translated to the cel's top-left corner and
    // clipped to it.
    void DrawCel(int index, const std::function<void(cairo_t*)>& paint);
    // Draws every cel in turn; `paint` gets the cel index.
    void DrawEach(const std::function<void(cairo_t*, int)>& paint);

    Canvas& GetCanvas() { return mCanvas; }
    int CelCount() const { return mRows * mColumns; }

private:
    int mCelWidth;
    int mCelHeight;
    int mRows;
    int mColumns;
    Canvas mCanvas;
};

} // namespace Vuro::AssetGen::Art
