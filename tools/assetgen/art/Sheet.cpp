#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen::Art {

Sheet::Sheet(int celWidth, int celHeight, int rows, int columns)
    : mCelWidth(celWidth), mCelHeight(celHeight), mRows(rows), mColumns(columns),
      mCanvas(celWidth * columns, celHeight * rows) {}

void Sheet::DrawCel(int index, const std::function<void(cairo_t*)>& paint) {
    cairo_t* cr = mCanvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, (index % mColumns) * mCelWidth, (index / mColumns) * mCelHeight);
    cairo_rectangle(cr, 0, 0, mCelWidth, mCelHeight);
    cairo_clip(cr);
    cairo_new_path(cr);
    paint(cr);
    cairo_restore(cr);
}

void Sheet::DrawEach(const std::function<void(cairo_t*, int)>& paint) {
    for (int i = 0; i < CelCount(); ++i) {
        DrawCel(i, [&](cairo_t* cr) { paint(cr, i); });
    }
}

} // namespace Vuro::AssetGen::Art
