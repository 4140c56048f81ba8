#include "tools/assetgen/art/Text.h"

#include "tools/assetgen/art/Canvas.h"

namespace Vuro::AssetGen::Art {

namespace {

void SelectFont(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
}

} // namespace

double TextWidth(cairo_t* cr, const char* utf8, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8, &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, const char* utf8, double x, double baseline, const TextStyle& style) {
    const double width = TextWidth(cr, utf8, style);
    double left = x;
    if (style.align == TextAlign::Centre) {
        left = x - width / 2;
    } else if (style.align == TextAlign::Right) {
        left = x - width;
    }
    cairo_save(cr);
    SelectFont(cr, style);
    if (style.shadow) {
        cairo_new_path(cr);
        cairo_move_to(cr, left + 1.5, baseline + 2);
        cairo_text_path(cr, utf8);
        SetColor(cr, Palette::kShadow, 0.45);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, left, baseline);
    cairo_text_path(cr, utf8);
    if (style.outline > 0) {
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, style.outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColor(cr, style.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace Vuro::AssetGen::Art
