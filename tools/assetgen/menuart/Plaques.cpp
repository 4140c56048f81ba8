#include "tools/assetgen/menuart/Plaques.h"

#include "tools/assetgen/art/Canvas.h"

#include <cmath>

namespace Vuro::AssetGen::Plaques {

using namespace Art;

void Nail(cairo_t* cr, double x, double y) {
    Ellipse(cr, x, y, 1.8, 1.8);
    SetColor(cr, Palette::kMetalDark);
    cairo_fill(cr);
    Ellipse(cr, x - 0.5, y - 0.5, 0.7, 0.7);
    SetColor(cr, Palette::kMetal);
    cairo_fill(cr);
}

void Wood(cairo_t* cr, const PathFn& path, double x, double y, double w, double h, const Rgb& wood,
          unsigned grainSeed, bool shadow) {
    if (shadow) {
        SoftShadow(cr, path);
    }
    cairo_new_path(cr);
    path(cr);
    FillVertical(cr, wood.Lighter(0.22), wood.Darker(0.18), y, y + h);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // Grain: long wavy lines along the wood, and a knot.
    Random random(grainSeed);
    const int lines = std::max(2, static_cast<int>(h / 6));
    for (int i = 0; i < lines; ++i) {
        const double gy = y + h * (i + 0.5 + random.Range(-0.2, 0.2)) / lines;
        cairo_move_to(cr, x, gy);
        for (double gx = x; gx <= x + w + 12; gx += 12) {
            cairo_line_to(cr, gx, gy + 1.2 * std::sin(gx * 0.09 + i * 2.1 + grainSeed));
        }
        SetColor(cr, wood.Darker(0.45), 0.35);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    const double knotY = random.Range(0.3, 0.7);
    const double knotX = random.Range(0.2, 0.8);
    Ellipse(cr, x + w * knotX, y + h * knotY, 3.5, 1.6);
    SetColor(cr, wood.Darker(0.5), 0.4);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // A light bevel under the top edge, a darker one over the bottom: the shape itself, moved.
    for (int side : {1, -1}) {
        cairo_save(cr);
        cairo_translate(cr, 0, side * 2.0);
        cairo_new_path(cr);
        path(cr);
        cairo_restore(cr);
        SetColor(cr, side > 0 ? Palette::kWhite : Palette::kShadow, side > 0 ? 0.4 : 0.3);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    path(cr);
    StrokeOutline(cr, kOutlineWidth);
}

void Plank(cairo_t* cr, double x, double y, double w, double h, const Rgb& wood, unsigned grainSeed,
           bool shadow, bool nails) {
    const double radius = std::min(6.0, h * 0.3);
    Wood(
        cr, [=](cairo_t* c) { RoundedRect(c, x, y, w, h, radius); }, x, y, w, h, wood, grainSeed,
        shadow);
    if (nails && w > 40) {
        Nail(cr, x + 6, y + h / 2);
        Nail(cr, x + w - 6, y + h / 2);
    }
}

void Board(cairo_t* cr, double x, double y, double w, double h) {
    Plank(cr, x, y, w, h, Palette::kWood, static_cast<unsigned>(x * 7 + y));
}

void Parchment(cairo_t* cr, double x, double y, double w, double h) {
    auto shape = [=](cairo_t* c) { RoundedRect(c, x, y, w, h, 5); };
    SoftShadow(cr, shape);
    cairo_new_path(cr);
    shape(cr);
    cairo_pattern_t* paper = cairo_pattern_create_radial(x + w * 0.35, y + h * 0.3, 2, x + w / 2,
                                                         y + h / 2, std::max(w, h));
    const Rgb light = Palette::kParchment.Lighter(0.3);
    const Rgb edge = Palette::kParchmentDark;
    cairo_pattern_add_color_stop_rgb(paper, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(paper, 0.5, Palette::kParchment.r, Palette::kParchment.g,
                                     Palette::kParchment.b);
    cairo_pattern_add_color_stop_rgb(paper, 1, edge.r, edge.g, edge.b);
    cairo_set_source(cr, paper);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(paper);
    StrokeOutline(cr, kOutlineWidth);
}

void Ribbon(cairo_t* cr, double x, double y, double w, double h) {
    const double fold = h * 0.55;
    for (int side : {-1, 1}) {
        const double edge = side < 0 ? x : x + w;
        const double outer = edge + side * fold * 1.4;
        cairo_move_to(cr, edge, y + h * 0.3);
        cairo_line_to(cr, outer, y + h * 0.3);
        cairo_line_to(cr, outer - side * fold * 0.45, y + h * 0.3 + h * 0.5);
        cairo_line_to(cr, outer, y + h * 1.3);
        cairo_line_to(cr, edge, y + h * 1.3);
        cairo_close_path(cr);
        SetColor(cr, Palette::kParchmentDark.Darker(0.15));
        cairo_fill_preserve(cr);
        StrokeOutline(cr, kOutlineWidth);
    }
    auto shape = [=](cairo_t* c) {
        cairo_move_to(c, x, y);
        cairo_curve_to(c, x + w * 0.3, y + 4, x + w * 0.7, y + 4, x + w, y);
        cairo_line_to(c, x + w, y + h);
        cairo_curve_to(c, x + w * 0.7, y + h + 4, x + w * 0.3, y + h + 4, x, y + h);
        cairo_close_path(c);
    };
    SoftShadow(cr, shape);
    cairo_new_path(cr);
    shape(cr);
    FillVertical(cr, Palette::kParchment.Lighter(0.35), Palette::kParchmentDark, y, y + h);
    StrokeOutline(cr, kOutlineWidth);
}

void Coin(cairo_t* cr, double cx, double cy, double r) {
    ShadedBody(
        cr, [=](cairo_t* c) { Ellipse(c, cx, cy, r, r); }, Palette::kGold, cx, cy, r);
    Ellipse(cr, cx, cy, r * 0.68, r * 0.68);
    SetColor(cr, Palette::kGold.Darker(0.35), 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A little apple stamped on the coin.
    Ellipse(cr, cx, cy + r * 0.08, r * 0.34, r * 0.3);
    SetColor(cr, Palette::kGold.Darker(0.35), 0.8);
    cairo_fill(cr);
    cairo_move_to(cr, cx, cy - r * 0.15);
    cairo_line_to(cr, cx + r * 0.12, cy - r * 0.42);
    cairo_stroke(cr);
    Gloss(cr, cx, cy, r, 0.8);
}

void Frame(cairo_t* cr, double w, double h, double thickness) {
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_rectangle(cr, thickness, thickness, w - 2 * thickness, h - 2 * thickness);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillVertical(cr, Palette::kWood.Lighter(0.1), Palette::kWoodDark, 0, h);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_rectangle(cr, thickness - 0.5, thickness - 0.5, w - 2 * thickness + 1,
                    h - 2 * thickness + 1);
    StrokeOutline(cr, 1);
    cairo_rectangle(cr, 2, 2, w - 4, h - 4);
    SetColor(cr, Palette::kWoodLight, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Glow(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgb& colour,
          double alpha) {
    // A blurred silhouette (as a soft shadow makes it) recoloured in a group of its own.
    cairo_push_group(cr);
    SoftShadow(
        cr, [=](cairo_t* c) { RoundedRect(c, x, y, w, h, radius); }, 0, 0, radius * 1.2, 1.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    SetColor(cr, colour);
    cairo_paint(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

} // namespace Vuro::AssetGen::Plaques
