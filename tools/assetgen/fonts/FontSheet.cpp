#include "tools/assetgen/fonts/FontSheet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace Vuro::AssetGen {

namespace {

// The glyph's bitmaps that take part: the fill and, with an outline, the grown glyph.
std::vector<const GlyphBitmap*> LayersOf(const RenderedGlyph& glyph) {
    std::vector<const GlyphBitmap*> layers = {&glyph.mFill};
    if (!glyph.mOutline.IsEmpty()) {
        layers.push_back(&glyph.mOutline);
    }
    return layers;
}

// Grey of the fill at `up` rows above the baseline: full white at cap height, darker by the
// style's shade at the baseline and below, so tinted text keeps light from above.
uint32_t FillGrey(const FontStyle& style, int capHeight, int up) {
    const double t = capHeight > 0 ? std::clamp(1.0 - (up + 0.5) / capHeight, 0.0, 1.0) : 0.0;
    return static_cast<uint32_t>(std::lround(255.0 * (1.0 - style.mShade * t)));
}

uint32_t Pixel(uint32_t alpha, uint32_t grey) {
    return alpha << 24 | grey << 16 | grey << 8 | grey;
}

} // namespace

FontSheet BuildFontSheet(const RenderedFont& font, const FontStyle& style) {
    FontSheet sheet;
    sheet.mBands = style.mOutlineRadius > 0 ? 2 : 1;
    int descent = 0;
    for (const RenderedGlyph& glyph : font.mGlyphs) {
        int left = INT_MAX;
        int right = INT_MIN;
        for (const GlyphBitmap* bitmap : LayersOf(glyph)) {
            if (bitmap->IsEmpty()) {
                continue;
            }
            left = std::min(left, bitmap->mLeft);
            right = std::max(right, bitmap->mLeft + bitmap->mWidth);
            sheet.mAscent = std::max(sheet.mAscent, bitmap->mTop);
            descent = std::max(descent, bitmap->mHeight - bitmap->mTop);
        }
        const bool blank = left == INT_MAX;
        sheet.mCellOffsets.push_back(blank ? 0 : left);
        sheet.mCellWidths.push_back(blank ? 0 : right - left);
        sheet.mWidth += sheet.mCellWidths.back();
    }
    sheet.mCellHeight = sheet.mAscent + descent;
    sheet.mPixels.assign(static_cast<size_t>(sheet.mWidth) * sheet.mCellHeight * sheet.mBands, 0);

    int cellX = 0;
    for (size_t i = 0; i < font.mGlyphs.size(); ++i) {
        const RenderedGlyph& glyph = font.mGlyphs[i];
        for (int row = 0; row < sheet.mCellHeight; ++row) {
            const int up = sheet.mAscent - 1 - row;
            for (int column = 0; column < sheet.mCellWidths[i]; ++column) {
                const int x = sheet.mCellOffsets[i] + column;
                const uint8_t fill = glyph.mFill.At(x, up);
                const size_t at = static_cast<size_t>(row) * sheet.mWidth + cellX + column;
                sheet.mPixels[at] = Pixel(fill, FillGrey(style, font.mCapHeight, up));
                if (sheet.mBands == 2) {
                    // The outline layer covers the glyph too, so no seam shows between the two.
                    const uint8_t grown = std::max(glyph.mOutline.At(x, up), fill);
                    const size_t band = static_cast<size_t>(sheet.mCellHeight) * sheet.mWidth;
                    sheet.mPixels[band + at] = Pixel(grown, 255);
                }
            }
        }
        cellX += sheet.mCellWidths[i];
    }
    return sheet;
}

namespace {

// A character list entry as the descriptor language reads it: single quotes, or double quotes
// around a single quote; a backslash is escaped. Empty when the text cannot be written.
std::string Quoted(const std::string& text) {
    const bool single = text.find('\'') != std::string::npos;
    const bool dbl = text.find('"') != std::string::npos;
    if (single && dbl) {
        return {};
    }
    const char quote = single ? '"' : '\'';
    std::string out(1, quote);
    for (char c : text) {
        if (c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + quote;
}

std::string Fraction(uint32_t channel) {
    char text[16];
    // A hair above the exact fraction, so that the reader's truncation gives the channel back.
    std::snprintf(text, sizeof text, "%.6f", (channel + 0.001) / 255.0);
    return text;
}

template <typename T, typename Format>
std::string ListOf(const std::vector<T>& items, Format format) {
    std::string out = "(";
    for (size_t i = 0; i < items.size(); ++i) {
        out += (i == 0 ? "" : " ") + format(items[i]);
    }
    return out + ")";
}

} // namespace

std::string FontDescriptor(const std::string& name, const FontStyle& style,
                           const RenderedFont& font, const FontSheet& sheet,
                           const std::string& sheetFile) {
    const bool outlined = sheet.mBands == 2;
    const int grown = static_cast<int>(std::ceil(style.mOutlineRadius));
    std::ostringstream out;
    out << "# " << name << ": " << style.mFace.filename().string() << " at " << style.mPixels
        << " pixels, code page 1251" << (outlined ? ", with an outline under the fill" : "")
        << ".\n# Made by the asset tool from assets/fonts/" << name << ".font.\n\n";
    out << "SetDefaultPointSize " << style.mPixels << ";\n";

    std::vector<std::string> chars;
    for (const RenderedGlyph& glyph : font.mGlyphs) {
        chars.push_back(Quoted(std::string(1, static_cast<char>(glyph.mCode))));
    }
    auto text = [](const std::string& s) { return s; };
    auto number = [](int n) { return std::to_string(n); };
    out << "Define Chars " << ListOf(chars, text) << ";\n";
    std::vector<int> advances;
    for (const RenderedGlyph& glyph : font.mGlyphs) {
        advances.push_back(glyph.mAdvance);
    }
    out << "Define Widths " << ListOf(advances, number) << ";\n";
    out << "Define Offsets "
        << ListOf(sheet.mCellOffsets, [](int x) { return "(" + std::to_string(x) + " 0)"; })
        << ";\n";
    const std::string widths = ListOf(sheet.mCellWidths, number);
    out << "CreateHorzSpanRectList FillRects (0 0 0 " << sheet.mCellHeight << ") " << widths
        << ";\n";

    // The first layer carries everything the layers share; the others are copies of it.
    const std::string first = outlined ? "Outline" : "Main";
    out << "\nCreateLayer " << first << ";\n";
    out << "LayerSetImage " << first << " '" << sheetFile << "';\n";
    out << "LayerSetPointSize " << first << " " << style.mPixels << ";\n";
    out << "LayerSetImageMap " << first << " Chars FillRects;\n";
    out << "LayerSetCharWidths " << first << " Chars Widths;\n";
    out << "LayerSetCharOffsets " << first << " Chars Offsets;\n";
    out << "LayerSetAscent " << first << " " << sheet.mAscent << ";\n";
    // The first line's baseline sits just below the capitals' outline, not the accents' top.
    out << "LayerSetAscentPadding " << first << " "
        << std::max(0, sheet.mAscent - font.mCapHeight - grown) << ";\n";
    out << "LayerSetLineSpacingOffset " << first << " " << font.mLineHeight - sheet.mCellHeight
        << ";\n";
    out << "LayerSetSpacing " << first << " " << style.mSpacing << ";\n";
    std::vector<std::string> pairs;
    std::vector<int> kerning;
    for (const KerningPair& pair : font.mKerning) {
        std::string quoted =
            Quoted({static_cast<char>(pair.mLeft), static_cast<char>(pair.mRight)});
        if (!quoted.empty()) {
            pairs.push_back(quoted);
            kerning.push_back(pair.mPixels);
        }
    }
    if (!pairs.empty()) {
        out << "LayerSetKerningPairs " << first << " " << ListOf(pairs, text) << " "
            << ListOf(kerning, number) << ";\n";
    }
    if (outlined) {
        out << "\nCreateLayerFrom Main Outline;\n";
        out << "CreateHorzSpanRectList OutlineRects (0 " << sheet.mCellHeight << " 0 "
            << sheet.mCellHeight << ") " << widths << ";\n";
        out << "LayerSetImageMap Outline Chars OutlineRects;\n";
        // The outline keeps its own colour and takes only the text's alpha.
        out << "LayerSetColorMult Outline (0 0 0 1);\n";
        out << "LayerSetColorAdd Outline (" << Fraction(style.mOutlineColor >> 16 & 0xFF) << " "
            << Fraction(style.mOutlineColor >> 8 & 0xFF) << " "
            << Fraction(style.mOutlineColor & 0xFF) << " 0);\n";
        out << "LayerSetBaseOrder Outline -1;\n";
    }
    return out.str();
}

} // namespace Vuro::AssetGen
