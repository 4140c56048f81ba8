#pragma once
// The glyph sheet of a bitmap font and the descriptor that maps it. The sheet holds one band per
// layer (the fill, then the outline when the style has one), each band one row of cells of equal
// height, one cell per character in code order; every band uses the same cell widths, so one
// width list and one offset list serve all layers. Glyphs are white (the fill shaded from cap
// height down to the baseline) with coverage as alpha: the font tints them with the text colour.

#include "tools/assetgen/fonts/FontStyle.h"
#include "tools/assetgen/fonts/GlyphRenderer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct FontSheet {
    int mWidth = 0;                // sum of the cell widths
    int mCellHeight = 0;           // rows of one band
    int mAscent = 0;               // rows from a cell's top to the baseline
    int mBands = 0;                // 1, or 2 with an outline
    std::vector<int> mCellWidths;  // per glyph of the rendered font, in its order
    std::vector<int> mCellOffsets; // x of each cell against the pen
    std::vector<uint32_t> mPixels; // mWidth x (mCellHeight * mBands) 0xAARRGGBB, not premultiplied
};

FontSheet BuildFontSheet(const RenderedFont& font, const FontStyle& style);

// The descriptor text (code page 1251 bytes) for the sheet stored beside it as sheetFile.
std::string FontDescriptor(const std::string& name, const FontStyle& style,
                           const RenderedFont& font, const FontSheet& sheet,
                           const std::string& sheetFile);

} // namespace Vuro::AssetGen
