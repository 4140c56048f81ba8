// The pieces the stage map draws over its picture: the level points by state, the lock on a
// stage not yet bought, and the three animations at sea (a sailing boat, a rowing boat and an
// octopus waving from the water).
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Canvas.h"

#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

void Disc(cairo_t* cr, double cx, double cy, double r, const Rgb& colour) {
    ShadedBody(
        cr, [=](cairo_t* c) { Ellipse(c, cx, cy, r, r); }, colour, cx, cy, r, false);
}

// A level point's disc with its shadow, in the point's 20 x 20 box.
void PointDisc(cairo_t* cr, double r, const Rgb& colour) {
    Ellipse(cr, 11, 12, r + 0.5, r - 0.5);
    SetColor(cr, Palette::kShadow, 0.35);
    cairo_fill(cr);
    Disc(cr, 10, 10, r, colour);
}

} // namespace

// A locked point: a flat grey stone.
void PaintEmptyPoint(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        PointDisc(cr, 7.5, Palette::kStone);
        Ellipse(cr, 10, 10, 3, 3);
        SetColor(cr, Palette::kStoneDark);
        cairo_fill(cr);
    });
}

// A point reached: a green, glossy button.
void PaintFillPoint(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        PointDisc(cr, 8, Palette::kButtonGreen);
        Gloss(cr, 10, 10, 8, 0.75);
    });
}

// The current point: a golden button with a white star in a warm halo; drawn 2 pixels up and
// left of the point, so it stands over the same spot as the others.
void PaintCurrentPoint(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        Glow(cr, 12, 12, 12, Palette::kSunGlow, 0.95);
        Disc(cr, 12, 12, 8.5, Palette::kOrange);
        StarPath(cr, 12, 12.3, 6, 2.6, 5, 0);
        SetColor(cr, Palette::kWhite);
        cairo_fill_preserve(cr);
        SetColor(cr, Palette::kOutline, 0.8);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    });
}

// A golden padlock.
void PaintLock(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        // Shackle.
        cairo_new_path(cr);
        cairo_move_to(cr, 6, 18);
        cairo_arc(cr, 14, 14, 8, M_PI, 2 * M_PI);
        cairo_line_to(cr, 22, 18);
        StrokeWithOutline(cr, Palette::kMetal, 3, 1.25);
        // Body.
        auto body = [](cairo_t* c) { RoundedRect(c, 2, 16, 24, 18, 4); };
        SoftShadow(cr, body, 2, 2, 2, 0.4);
        cairo_new_path(cr);
        body(cr);
        FillShaded(cr, Palette::kGold, 14, 25, 14);
        StrokeOutline(cr, 1.5);
        // Keyhole.
        Ellipse(cr, 14, 23.5, 2.6, 2.6);
        cairo_move_to(cr, 12.4, 24);
        cairo_line_to(cr, 11.8, 30);
        cairo_line_to(cr, 16.2, 30);
        cairo_line_to(cr, 15.6, 24);
        cairo_close_path(cr);
        SetColor(cr, Palette::kOutline);
        cairo_fill(cr);
        Gloss(cr, 14, 25, 12, 0.6);
    });
}

namespace {

// Ripples under a boat, moving with the frame.
void Ripples(cairo_t* cr, double left, double right, double y, int frame) {
    for (int i = 0; i < 3; ++i) {
        const double x = left + (right - left) * (i + 0.5 + 0.15 * ((frame + i) % 2)) / 3;
        cairo_move_to(cr, x - 5, y);
        cairo_curve_to(cr, x - 2, y - 2, x + 2, y - 2, x + 5, y);
        SetColor(cr, Palette::kWaterLight, 0.9);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

} // namespace

// A sailing boat rocking on the waves, right of the point it sails beside.
void PaintShip(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawEach([](cairo_t* cr, int frame) {
        const double bob = (frame == 1 || frame == 3) ? 1 : (frame == 2 ? 2 : 0);
        const double tilt = (frame == 1 ? -0.05 : frame == 3 ? 0.05 : 0);
        Ripples(cr, 22, 62, 41, frame);
        cairo_save(cr);
        cairo_translate(cr, 43, 36 + bob);
        cairo_rotate(cr, tilt);
        // Hull.
        auto hull = [](cairo_t* c) {
            cairo_move_to(c, -18, -6);
            cairo_line_to(c, 18, -6);
            cairo_line_to(c, 12, 2);
            cairo_line_to(c, -13, 2);
            cairo_close_path(c);
        };
        hull(cr);
        FillVertical(cr, Palette::kWood, Palette::kWoodDark, -6, 2);
        StrokeOutline(cr, 1.2);
        cairo_move_to(cr, -16, -3.5);
        cairo_line_to(cr, 16, -3.5);
        SetColor(cr, Palette::kWhite, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        // Mast and sails.
        cairo_move_to(cr, 0, -6);
        cairo_line_to(cr, 0, -34);
        SetColor(cr, Palette::kWoodDark);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, 1.5, -32);
        cairo_curve_to(cr, 12, -24, 14, -14, 13, -9);
        cairo_line_to(cr, 1.5, -9);
        cairo_close_path(cr);
        FillVertical(cr, Palette::kWhite, Palette::kCloudShade, -32, -9);
        StrokeOutline(cr, 1);
        cairo_move_to(cr, -1.5, -28);
        cairo_curve_to(cr, -8, -22, -10, -15, -10, -10);
        cairo_line_to(cr, -1.5, -10);
        cairo_close_path(cr);
        FillVertical(cr, Palette::kRoofRed.Lighter(0.3), Palette::kRoofRed, -28, -10);
        StrokeOutline(cr, 1);
        cairo_move_to(cr, 0, -34);
        cairo_line_to(cr, 6, -32 + (frame % 2));
        cairo_line_to(cr, 0, -30);
        SetColor(cr, Palette::kFlowerYellow);
        cairo_fill(cr);
        cairo_restore(cr);
    });
}

// A rowing boat with a fisherman whose oars dip in turn.
void PaintRowingBoat(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawEach([](cairo_t* cr, int frame) {
        const double bob = frame % 2;
        Ripples(cr, 6, 44, 36, frame);
        cairo_save(cr);
        cairo_translate(cr, 24, 31 + bob);
        // Oars: forward, down, back, up.
        const double oar = (frame - 1.5) * 0.35;
        for (int side : {-1, 1}) {
            cairo_move_to(cr, side * 3, -8);
            cairo_line_to(cr, side * (15 + 2 * std::cos(oar)), 2 + 3 * std::sin(oar));
            SetColor(cr, Palette::kWoodDark);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, -15, -7);
        cairo_curve_to(cr, -12, 2, 12, 2, 15, -7);
        cairo_close_path(cr);
        FillVertical(cr, Palette::kButtonBlue.Lighter(0.2), Palette::kButtonBlue.Darker(0.2), -7,
                     1);
        StrokeOutline(cr, 1.2);
        // The fisherman: body and a straw hat.
        RoundedRect(cr, -4, -17, 8, 10, 3);
        SetColor(cr, Palette::kApple);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1);
        Ellipse(cr, 0, -20, 3.2, 3.2);
        SetColor(cr, Palette::kHedgehogFace);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.8);
        Ellipse(cr, 0, -22.5, 6, 1.8);
        SetColor(cr, Palette::kFlowerYellow);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.8);
        cairo_restore(cr);
    });
}

// An octopus rising from the sea, waving its arms.
void PaintOctopus(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawEach([](cairo_t* cr, int frame) {
        const Rgb skin = Palette::kFlowerPink.Mix(Palette::kPlum, 0.35);
        const double wave = frame == 0 ? 1 : -1;
        cairo_push_group(cr);
        // Arms curling out of the water.
        for (int side : {-1, 1}) {
            for (int k = 0; k < 2; ++k) {
                const double base = 28 + side * (7 + k * 5);
                const double tip = base + side * (9 + k * 3);
                cairo_move_to(cr, base, 40);
                cairo_curve_to(cr, base + side * 4, 30 - k * 6, tip, 26 + wave * side * 4 - k * 4,
                               tip - side * 2, 20 + wave * side * 3 - k * 5);
                StrokeWithOutline(cr, skin, 3.2, 0.9);
            }
        }
        // Head.
        auto head = [](cairo_t* c) {
            cairo_move_to(c, 16, 40);
            cairo_curve_to(c, 14, 22, 18, 10, 28, 10);
            cairo_curve_to(c, 38, 10, 42, 22, 40, 40);
            cairo_close_path(c);
        };
        head(cr);
        FillShaded(cr, skin, 28, 24, 16);
        StrokeOutline(cr, 1.4);
        for (int side : {-1, 1}) {
            Ellipse(cr, 28 + side * 5, 26, 3.4, 4);
            SetColor(cr, Palette::kWhite);
            cairo_fill_preserve(cr);
            StrokeOutline(cr, 0.8);
            Ellipse(cr, 28 + side * 5 + 0.8, 27 - frame * 0.6, 1.6, 1.9);
            SetColor(cr, Palette::kOutline);
            cairo_fill(cr);
        }
        cairo_move_to(cr, 25, 33);
        cairo_curve_to(cr, 27, 35, 29, 35, 31, 33);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        Gloss(cr, 28, 22, 12, 0.55);
        // It sinks into the sea below its eyes: fade out the lower body, then ripples.
        cairo_pattern_t* body = cairo_pop_group(cr);
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, 33, 0, 43);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
        cairo_set_source(cr, body);
        cairo_mask(cr, fade);
        cairo_pattern_destroy(fade);
        cairo_pattern_destroy(body);
        Ripples(cr, 8, 48, 41, frame);
    });
}

} // namespace Vuro::AssetGen
