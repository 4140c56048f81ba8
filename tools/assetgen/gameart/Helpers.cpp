#include "tools/assetgen/gameart/Helpers.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

enum class Sign { Autocar, Broom, Smoke, Slingshot, DoubleShot, Stop, Lightning, Points };

void Fork(cairo_t* cr, double x, double y, double s) {
    // A wooden Y with a rubber band, (x, y) the top of the left prong.
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    cairo_move_to(cr, 8, 29);
    cairo_line_to(cr, 8, 17);
    cairo_curve_to(cr, 8, 13, 1, 11, 1, 2);
    cairo_line_to(cr, 5, 1.5);
    cairo_curve_to(cr, 5, 8, 10, 10, 10, 13);
    cairo_curve_to(cr, 10, 10, 15, 8, 15, 1.5);
    cairo_line_to(cr, 19, 2);
    cairo_curve_to(cr, 19, 11, 12, 13, 12, 17);
    cairo_line_to(cr, 12, 29);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWood, 8, 12, 14);
    StrokeOutline(cr, 1.3 / s);
    cairo_move_to(cr, 3, 4);
    cairo_curve_to(cr, 6, 10, 14, 10, 17, 4);
    SetColor(cr, Hex(0xc0392b));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Pebble(cairo_t* cr, double cx, double cy, double r) {
    Blob(cr, cx, cy, r, r * 0.85, 0.08, 3, 0.7);
    FillShaded(cr, Palette::kStone, cx, cy, r);
    StrokeOutline(cr, std::max(0.8, r * 0.22));
}

void BroomShape(cairo_t* cr, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, 26, 56);
    cairo_rotate(cr, tilt);
    // Handle
    RoundedRect(cr, -2, -54, 4, 42, 2);
    FillShaded(cr, Palette::kWoodLight, -1, -40, 10);
    StrokeOutline(cr, 1.2);
    // Straw
    cairo_move_to(cr, -5, -16);
    cairo_line_to(cr, 5, -16);
    cairo_curve_to(cr, 10, -8, 14, -2, 15, 2);
    cairo_line_to(cr, -15, 2);
    cairo_curve_to(cr, -14, -2, -10, -8, -5, -16);
    cairo_close_path(cr);
    FillShaded(cr, Hex(0xf2c84a), -3, -10, 14);
    StrokeOutline(cr, 1.3);
    for (int i = -4; i <= 4; ++i) {
        cairo_move_to(cr, i * 0.9, -13);
        cairo_line_to(cr, i * 3.1, 1);
    }
    SetColor(cr, Hex(0xb88a20), 0.8);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    RoundedRect(cr, -6, -18, 12, 4, 1.5);
    FillShaded(cr, Hex(0xd0392b), 0, -16, 6);
    StrokeOutline(cr, 1);
    cairo_restore(cr);
}

// The little red car that catches falling fruit, facing right in a 64 x 38 box.
void Car(cairo_t* cr, int frame) {
    SoftShadow(
        cr, [](cairo_t* c) { Ellipse(c, 32, 35, 28, 3); }, 1, 1, 2, 0.4);
    // Basket on the back
    RoundedRect(cr, 5, 6, 24, 15, 3);
    FillShaded(cr, Palette::kWoodLight, 14, 12, 14);
    StrokeOutline(cr, 1.3);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 7, 10 + i * 4);
        cairo_line_to(cr, 27, 10 + i * 4);
    }
    SetColor(cr, Palette::kWood, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Body and cab
    cairo_move_to(cr, 3, 20);
    cairo_line_to(cr, 36, 20);
    cairo_line_to(cr, 40, 9);
    cairo_line_to(cr, 52, 9);
    cairo_curve_to(cr, 56, 9, 57, 18, 60, 20);
    cairo_curve_to(cr, 62, 21, 62, 29, 60, 30);
    cairo_line_to(cr, 4, 30);
    cairo_curve_to(cr, 2, 30, 1, 22, 3, 20);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kCarRed, 30, 18, 30);
    StrokeOutline(cr, 1.5);
    cairo_move_to(cr, 42, 11);
    cairo_line_to(cr, 51, 11);
    cairo_curve_to(cr, 53, 11, 54, 16, 55, 19);
    cairo_line_to(cr, 39, 19);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWaterLight, 46, 14, 8);
    StrokeOutline(cr, 1);
    Ellipse(cr, 58, 23, 2, 2);
    SetColor(cr, Palette::kFlowerYellow);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.8);
    // Wheels: the spokes turn a third between cels.
    for (double wx : {15.0, 49.0}) {
        cairo_arc(cr, wx, 30, 6.5, 0, 2 * M_PI);
        FillShaded(cr, Hex(0x3a3a40), wx, 30, 6.5);
        StrokeOutline(cr, 1.2);
        cairo_arc(cr, wx, 30, 3, 0, 2 * M_PI);
        FillShaded(cr, Palette::kMetal, wx, 30, 3);
        cairo_new_path(cr);
        for (int k = 0; k < 3; ++k) {
            const double a = frame * 2 * M_PI / 9 + k * 2 * M_PI / 3;
            cairo_move_to(cr, wx, 30);
            cairo_line_to(cr, wx + 5.5 * std::cos(a), 30 + 5.5 * std::sin(a));
        }
        SetColor(cr, Palette::kMetalDark);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

void Bolt(cairo_t* cr, double x, double y, double s) {
    cairo_move_to(cr, x + 3 * s, y);
    cairo_line_to(cr, x + 9 * s, y);
    cairo_line_to(cr, x + 6 * s, y + 6 * s);
    cairo_line_to(cr, x + 10 * s, y + 6 * s);
    cairo_line_to(cr, x + 2 * s, y + 17 * s);
    cairo_line_to(cr, x + 4.5 * s, y + 9 * s);
    cairo_line_to(cr, x + 1 * s, y + 9 * s);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kFlowerYellow, x + 5 * s, y + 6 * s, 8 * s);
    StrokeOutline(cr, 1.2);
}

void Clock(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    FillShaded(cr, Palette::kWhite, cx, cy, r, 0.5);
    StrokeOutline(cr, 1.4);
    for (int i = 0; i < 12; i += 3) {
        const double a = i * M_PI / 6;
        cairo_move_to(cr, cx + r * 0.75 * std::cos(a), cy + r * 0.75 * std::sin(a));
        cairo_line_to(cr, cx + r * 0.9 * std::cos(a), cy + r * 0.9 * std::sin(a));
    }
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.65);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.45, cy + r * 0.1);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

} // namespace

void PaintPuff(cairo_t* cr, double cx, double cy, double r, double alpha) {
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = i * 1.7;
        cairo_arc(cr, cx + r * 0.45 * std::cos(a), cy + r * 0.35 * std::sin(a), r * 0.6, 0,
                  2 * M_PI);
        cairo_close_path(cr);
    }
    FillShaded(cr, Hex(0xe8eef0), cx, cy, r);
    SetColor(cr, Palette::kOutline, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_new_path(cr);
}

namespace {

// The picture of a sign inside a box of `size` pixels at (x, y).
void DrawSign(cairo_t* cr, Sign sign, double x, double y, double size) {
    const double s = size / 32.0;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    switch (sign) {
    case Sign::Autocar:
        cairo_translate(cr, 0, 7);
        cairo_scale(cr, 0.5, 0.5);
        Car(cr, 0);
        break;
    case Sign::Broom:
        cairo_translate(cr, 3, 2);
        cairo_scale(cr, 0.5, 0.5);
        cairo_translate(cr, 26, 30);
        cairo_rotate(cr, 0.6);
        cairo_translate(cr, -26, -30);
        BroomShape(cr, 0);
        break;
    case Sign::Smoke:
        PaintPuff(cr, 16, 17, 13, 1);
        break;
    case Sign::Slingshot:
        Fork(cr, 6, 1, 1.0);
        Pebble(cr, 16, 6, 3);
        break;
    case Sign::DoubleShot:
        Fork(cr, 2, 2, 0.95);
        Pebble(cr, 24, 8, 3.5);
        Pebble(cr, 24, 18, 3.5);
        break;
    case Sign::Stop:
        Clock(cr, 16, 16, 12);
        break;
    case Sign::Lightning:
        Bolt(cr, 7, 2, 1.6);
        break;
    case Sign::Points:
        // A gold coin with a star.
        cairo_arc(cr, 16, 16, 12, 0, 2 * M_PI);
        FillShaded(cr, Palette::kGold, 16, 16, 12);
        StrokeOutline(cr, 1.4);
        StarPath(cr, 16, 16, 7.5, 3.2, 5);
        SetColor(cr, Palette::kGoldLight);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.9);
        break;
    }
    cairo_restore(cr);
}

} // namespace

void PaintSlingshot(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) { Fork(cr, 0, 0.5, 1.0); });
}

void PaintStone(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) { Pebble(cr, 5, 5, 4); });
}

void PaintBroom(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        SoftShadow(
            cr, [](cairo_t* c) { Ellipse(c, 26, 58, 16, 3); }, 0, 0, 2, 0.35);
        BroomShape(cr, i == 0 ? -0.3 : 0.3);
        // Dust kicked up on the side the broom sweeps toward.
        for (int k = 0; k < 3; ++k) {
            const double dx = i == 0 ? 40 + k * 4 : 12 - k * 4;
            cairo_arc(cr, dx, 54 - k * 3, 2.5 - k * 0.5, 0, 2 * M_PI);
            SetColor(cr, Palette::kPath, 0.7);
            cairo_fill(cr);
        }
    });
}

void PaintAutocar(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) { Car(cr, i); });
}

void PaintBonusItems(Sheet& sheet) {
    static constexpr Sign kSigns[] = {Sign::Points, Sign::DoubleShot, Sign::Smoke, Sign::Lightning,
                                      Sign::Broom,  Sign::Autocar,    Sign::Stop};
    static const Rgb kBubbles[] = {
        Palette::kGold,         Palette::kFlowerRed,   Palette::kStone,     Palette::kFlowerBlue,
        Palette::kFlowerYellow, Palette::kButtonGreen, Palette::kFlowerPink};
    sheet.DrawEach([](cairo_t* cr, int i) {
        // A floating bubble with a sign in it, a glint on top.
        SoftShadow(
            cr, [](cairo_t* c) { Ellipse(c, 16, 21, 14, 14); }, 1, 2, 2, 0.3);
        cairo_arc(cr, 16, 21, 14, 0, 2 * M_PI);
        cairo_pattern_t* bubble = cairo_pattern_create_radial(12, 15, 2, 16, 21, 15);
        const Rgb edge = kBubbles[i];
        cairo_pattern_add_color_stop_rgba(bubble, 0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(bubble, 0.7, edge.Lighter(0.5).r, edge.Lighter(0.5).g,
                                          edge.Lighter(0.5).b, 0.9);
        cairo_pattern_add_color_stop_rgba(bubble, 1, edge.r, edge.g, edge.b, 1);
        cairo_set_source(cr, bubble);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(bubble);
        StrokeOutline(cr, 1.4);
        DrawSign(cr, kSigns[i], 5, 10, 22);
        Gloss(cr, 16, 21, 13, 0.8);
    });
}

void PaintStatusIcons(Sheet& sheet) {
    static constexpr Sign kSigns[] = {Sign::Autocar,   Sign::Broom,      Sign::Smoke,
                                      Sign::Slingshot, Sign::DoubleShot, Sign::Stop,
                                      Sign::Lightning};
    sheet.DrawEach([](cairo_t* cr, int i) {
        SoftShadow(
            cr, [](cairo_t* c) { Ellipse(c, 20, 20, 17, 17); }, 1, 2, 2, 0.4);
        cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
        FillShaded(cr, i == 4 ? Palette::kButtonOrange : Palette::kButtonBlue, 20, 20, 17);
        StrokeOutline(cr, 1.6);
        cairo_arc(cr, 20, 20, 13.5, 0, 2 * M_PI);
        FillShaded(cr, Palette::kParchment, 20, 20, 13.5, 0.5);
        SetColor(cr, Palette::kOutline, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        DrawSign(cr, kSigns[i], 8, 8, 24);
        Gloss(cr, 20, 20, 16, 0.35);
    });
}

} // namespace Vuro::AssetGen
