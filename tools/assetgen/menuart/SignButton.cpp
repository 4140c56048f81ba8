#include "tools/assetgen/menuart/SignButton.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/Text.h"
#include "tools/assetgen/menuart/Plaques.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

// The sign's outline: a rounded board, or one with an arrow point at one end.
void SignPath(cairo_t* cr, double x, double y, double w, double h, SignEnd end) {
    const double r = std::min(6.0, h * 0.25);
    const double point = end == SignEnd::Round ? 0 : h * 0.32;
    const double left = x + (end == SignEnd::PointLeft ? point : 0);
    const double right = x + w - (end == SignEnd::PointRight ? point : 0);
    cairo_new_sub_path(cr);
    if (end == SignEnd::PointRight) {
        cairo_move_to(cr, right, y);
        cairo_line_to(cr, x + w, y + h / 2);
        cairo_line_to(cr, right, y + h);
    } else {
        cairo_arc(cr, right - r, y + r, r, -M_PI / 2, 0);
        cairo_arc(cr, right - r, y + h - r, r, 0, M_PI / 2);
    }
    if (end == SignEnd::PointLeft) {
        cairo_line_to(cr, left, y + h);
        cairo_line_to(cr, x, y + h / 2);
        cairo_line_to(cr, left, y);
    } else {
        cairo_arc(cr, left + r, y + h - r, r, M_PI / 2, M_PI);
        cairo_arc(cr, left + r, y + r, r, M_PI, 3 * M_PI / 2);
    }
    cairo_close_path(cr);
}

} // namespace

void PaintSign(cairo_t* cr, double x, double y, double w, double h, const std::string& caption,
               const SignLook& look, bool lit, double glow) {
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_rotate(cr, look.tilt);
    cairo_translate(cr, -w / 2, -h / 2);
    if (lit && glow > 0) {
        Plaques::Glow(cr, -2, -2, w + 4, h + 4, glow, Palette::kSunGlow, 1.0);
    }
    const Rgb wood = lit ? look.wood.Lighter(0.25) : look.wood;
    const SignEnd end = look.end;
    Plaques::Wood(
        cr, [=](cairo_t* c) { SignPath(c, 0, 0, w, h, end); }, 0, 0, w, h, wood, look.seed, !lit);
    const double inset = h * 0.32;
    const double left = end == SignEnd::PointLeft ? inset : 0;
    const double right = end == SignEnd::PointRight ? inset : 0;
    Plaques::Nail(cr, left + 4, h / 2);
    Plaques::Nail(cr, w - right - 4, h / 2);

    // The caption: as large as fits between the nails (narrowed a little before it shrinks),
    // cream at rest, bright yellow when lit.
    TextStyle style{.size = std::min(19.0, h * 0.5),
                    .fill = lit ? Palette::kCaptionYellow : Palette::kParchment,
                    .outline = 3,
                    .shadow = true};
    const double room = w - left - right - 13;
    double narrow = std::max(0.8, std::min(1.0, room / TextWidth(cr, caption.c_str(), style)));
    while (style.size > 9 && TextWidth(cr, caption.c_str(), style) * narrow > room) {
        style.size -= 0.5;
    }
    const double centre = left + (w - left - right) / 2;
    cairo_save(cr);
    cairo_translate(cr, centre, h / 2 + style.size * 0.36);
    cairo_scale(cr, narrow, 1);
    DrawText(cr, caption.c_str(), 0, 0, style);
    cairo_restore(cr);
    cairo_restore(cr);
}

} // namespace Vuro::AssetGen
