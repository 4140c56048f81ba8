// Props people made: fences, granny's cottage and well, a bench and a scarecrow, a windmill,
// a pier and boats, castle walls and towers, a fountain, hedges, banners and urns, a chalet,
// the city's houses, its television tower, lamps, a kiosk and a bus stop.
#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/gameart/Scenery.h"
#include "tools/assetgen/gameart/Trees.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

void Box(cairo_t* cr, double x, double y, double w, double h, const Rgb& colour,
         double line = 1.4) {
    cairo_rectangle(cr, x, y, w, h);
    FillVertical(cr, colour.Lighter(0.12), colour.Darker(0.12), y, y + h);
    StrokeOutline(cr, line);
}

void Window(cairo_t* cr, double x, double y, double w, double h, bool lit = false) {
    cairo_rectangle(cr, x, y, w, h);
    FillVertical(cr, lit ? Palette::kFlowerYellow.Lighter(0.3) : Palette::kWaterLight,
                 lit ? Palette::kOrangeLight : Palette::kWater, y, y + h);
    StrokeOutline(cr, 1.2);
    cairo_move_to(cr, x + w / 2, y);
    cairo_line_to(cr, x + w / 2, y + h);
    cairo_move_to(cr, x, y + h / 2);
    cairo_line_to(cr, x + w, y + h / 2);
    SetColor(cr, Palette::kWhite, 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

void GroundShadow(cairo_t* cr, double x0, double x1, double y) {
    SoftShadow(
        cr, [=](cairo_t* c) { Ellipse(c, (x0 + x1) / 2 + 6, y, (x1 - x0) / 2 + 6, 5); }, 0, 0, 4,
        0.3);
}

void Fence(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", 0);
    const double x1 = p.Number("x1", kFieldWidth);
    const double y = p.Number("y", 320);
    const double h = p.Number("h", 26);
    const Rgb tone = ToneOf(p, "tone", Palette::kWhite.Mix(Palette::kParchment, 0.5));
    for (double ry : {y - h * 0.75, y - h * 0.35}) {
        cairo_rectangle(cr, x0, ry, x1 - x0, 4);
        FillVertical(cr, tone.Darker(0.1), tone.Darker(0.25), ry, ry + 4);
        StrokeOutline(cr, 1);
    }
    for (double x = x0 + 3; x < x1; x += 13) {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - h + 4);
        cairo_line_to(cr, x + 4, y - h);
        cairo_line_to(cr, x + 8, y - h + 4);
        cairo_line_to(cr, x + 8, y);
        cairo_close_path(cr);
        FillVertical(cr, tone, tone.Darker(0.15), y - h, y);
        StrokeOutline(cr, 1.1);
    }
}

void House(cairo_t* cr, const Prop& p) {
    // A cottage whose chimney top is at (chimneyx, chimneytop): the chimney smoke rises there.
    const double x = p.Number("x", 360);
    const double base = p.Number("y", 300);
    const double w = p.Number("w", 150);
    const double wallH = p.Number("h", 70);
    const double cx = p.Number("chimneyx", x + w * 0.7);
    const double ctop = p.Number("chimneytop", base - wallH - 80);
    const double roofTop = base - wallH - w * 0.42;
    GroundShadow(cr, x - 8, x + w + 8, base);
    // Chimney behind the roof.
    Box(cr, cx - 8, ctop, 16, base - wallH - ctop, Hex(0xb0503a));
    Box(cr, cx - 10, ctop - 1, 20, 7, Hex(0x8a3a2a));
    Box(cr, x, base - wallH, w, wallH, Palette::kWallCream, 1.8);
    // Timber frame
    for (double t : {0.0, 0.5, 1.0}) {
        cairo_move_to(cr, x + w * t, base - wallH);
        cairo_line_to(cr, x + w * t, base);
    }
    cairo_move_to(cr, x, base - wallH * 0.55);
    cairo_line_to(cr, x + w, base - wallH * 0.55);
    SetColor(cr, Palette::kWoodDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Roof
    cairo_move_to(cr, x - 12, base - wallH + 4);
    cairo_line_to(cr, x + w / 2, roofTop);
    cairo_line_to(cr, x + w + 12, base - wallH + 4);
    cairo_close_path(cr);
    FillVertical(cr, Palette::kRoofRed.Lighter(0.15), Palette::kRoofRed.Darker(0.2), roofTop,
                 base - wallH);
    StrokeOutline(cr, 1.8);
    for (int row = 1; row <= 3; ++row) {
        const double t = row / 4.0;
        const double ry = roofTop + (base - wallH + 4 - roofTop) * t;
        const double half = (w / 2 + 12) * t;
        cairo_move_to(cr, x + w / 2 - half, ry);
        cairo_line_to(cr, x + w / 2 + half, ry);
    }
    SetColor(cr, Palette::kRoofRed.Darker(0.4), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Window(cr, x + w / 2 - 10, roofTop + (base - wallH - roofTop) * 0.45, 20, 16);
    // Door and windows with flower boxes.
    RoundedRect(cr, x + w * 0.56, base - wallH * 0.62, w * 0.16, wallH * 0.62, 5);
    FillShaded(cr, Palette::kWood, x + w * 0.62, base - wallH * 0.3, wallH * 0.4);
    StrokeOutline(cr, 1.4);
    for (double wx : {x + w * 0.12, x + w * 0.8}) {
        Window(cr, wx, base - wallH * 0.5, w * 0.14, wallH * 0.3);
        RoundedRect(cr, wx - 2, base - wallH * 0.2, w * 0.14 + 4, 5, 1);
        FillShaded(cr, Palette::kWood, wx, base - wallH * 0.18, 6);
        StrokeOutline(cr, 1);
        for (int k = 0; k < 4; ++k) {
            cairo_arc(cr, wx + 2 + k * w * 0.035, base - wallH * 0.22, 2.2, 0, 2 * M_PI);
            SetColor(cr, k % 2 == 0 ? Palette::kFlowerRed : Palette::kFlowerPink);
            cairo_fill(cr);
        }
    }
}

void Well(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 320);
    GroundShadow(cr, x - 26, x + 26, y);
    for (double side : {-1.0, 1.0}) {
        Box(cr, x + side * 20 - 3, y - 62, 6, 50, Palette::kWood);
    }
    cairo_move_to(cr, x - 30, y - 56);
    cairo_line_to(cr, x, y - 76);
    cairo_line_to(cr, x + 30, y - 56);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kRoofRed, x - 6, y - 66, 30);
    StrokeOutline(cr, 1.5);
    cairo_move_to(cr, x, y - 56);
    cairo_line_to(cr, x, y - 36);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Box(cr, x - 5, y - 38, 10, 9, Palette::kWoodLight, 1.1);
    auto drum = [=](cairo_t* c) { RoundedRect(c, x - 26, y - 24, 52, 24, 4); };
    drum(cr);
    FillVertical(cr, Palette::kStone, Palette::kStoneDark, y - 24, y);
    StrokeOutline(cr, 1.6);
    for (int row = 0; row < 2; ++row) {
        for (int k = 0; k < 4; ++k) {
            cairo_rectangle(cr, x - 26 + k * 13 + (row % 2) * 6, y - 24 + row * 12, 13, 12);
        }
    }
    SetColor(cr, Palette::kStoneDark, 0.7);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

void Bench(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 320);
    const double w = p.Number("w", 60);
    const Rgb tone = ToneOf(p, "tone", Palette::kWood);
    GroundShadow(cr, x, x + w, y);
    for (double lx : {x + 6, x + w - 10}) {
        Box(cr, lx, y - 14, 4, 14, Palette::kMetalDark, 1);
    }
    Box(cr, x, y - 18, w, 5, tone);
    Box(cr, x + 2, y - 32, w - 4, 5, tone);
    Box(cr, x + 2, y - 25, w - 4, 5, tone);
}

void Scarecrow(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 560);
    const double y = p.Number("y", 320);
    GroundShadow(cr, x - 16, x + 16, y);
    Box(cr, x - 2.5, y - 70, 5, 70, Palette::kWood, 1.1);
    Box(cr, x - 28, y - 56, 56, 5, Palette::kWood, 1.1);
    cairo_move_to(cr, x - 16, y - 58);
    cairo_line_to(cr, x + 16, y - 58);
    cairo_line_to(cr, x + 20, y - 26);
    cairo_line_to(cr, x - 20, y - 26);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kFlowerBlue, x - 4, y - 45, 20);
    StrokeOutline(cr, 1.4);
    cairo_arc(cr, x, y - 70, 9, 0, 2 * M_PI);
    FillShaded(cr, Palette::kParchmentDark, x, y - 70, 9);
    StrokeOutline(cr, 1.3);
    cairo_move_to(cr, x - 16, y - 74);
    cairo_line_to(cr, x + 16, y - 74);
    cairo_line_to(cr, x + 8, y - 76);
    cairo_line_to(cr, x + 4, y - 88);
    cairo_line_to(cr, x - 5, y - 88);
    cairo_line_to(cr, x - 8, y - 76);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kFlowerYellow.Darker(0.2), x, y - 80, 14);
    StrokeOutline(cr, 1.3);
    for (double ex : {x - 3.5, x + 3.5}) {
        cairo_arc(cr, ex, y - 71, 1.3, 0, 2 * M_PI);
        SetColor(cr, Palette::kOutline);
        cairo_fill(cr);
    }
    cairo_arc(cr, x, y - 68, 4, 0.4, M_PI - 0.4);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Windmill(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 260);
    const double h = p.Number("h", 90);
    cairo_move_to(cr, x - h * 0.18, y);
    cairo_line_to(cr, x - h * 0.1, y - h * 0.75);
    cairo_line_to(cr, x + h * 0.1, y - h * 0.75);
    cairo_line_to(cr, x + h * 0.18, y);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWallCream, x - 4, y - h * 0.4, h * 0.3);
    StrokeOutline(cr, 1.4);
    cairo_move_to(cr, x - h * 0.14, y - h * 0.74);
    cairo_line_to(cr, x, y - h * 0.9);
    cairo_line_to(cr, x + h * 0.14, y - h * 0.74);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kRoofRed, x, y - h * 0.8, h * 0.15);
    StrokeOutline(cr, 1.3);
    const double hubY = y - h * 0.72;
    for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_translate(cr, x, hubY);
        cairo_rotate(cr, 0.3 + k * M_PI / 2);
        cairo_rectangle(cr, 3, -h * 0.06, h * 0.45, h * 0.12);
        cairo_restore(cr);
        SetColor(cr, Palette::kWoodLight);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1.1);
    }
    cairo_arc(cr, x, hubY, 3.5, 0, 2 * M_PI);
    SetColor(cr, Palette::kWoodDark);
    cairo_fill(cr);
}

void Pier(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 20);
    const double y = p.Number("y", 330);
    const double w = p.Number("w", 150);
    for (double px = x + 8; px < x + w; px += 34) {
        Box(cr, px, y - 2, 7, 30, Palette::kWoodDark, 1.1);
    }
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y - 10);
    cairo_line_to(cr, x + w, y - 2);
    cairo_line_to(cr, x, y + 12);
    cairo_close_path(cr);
    FillVertical(cr, Palette::kWoodLight, Palette::kWood, y - 10, y + 12);
    StrokeOutline(cr, 1.4);
    for (double px = x + 12; px < x + w; px += 12) {
        cairo_move_to(cr, px, y - (px - x) / w * 10);
        cairo_line_to(cr, px, y + 12 - (px - x) / w * 14);
    }
    SetColor(cr, Palette::kWoodDark, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void RowBoat(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 340);
    cairo_move_to(cr, x - 34, y - 12);
    cairo_line_to(cr, x + 38, y - 14);
    cairo_curve_to(cr, x + 30, y, x + 20, y + 4, x, y + 4);
    cairo_curve_to(cr, x - 20, y + 4, x - 30, y, x - 34, y - 12);
    cairo_close_path(cr);
    FillShaded(cr, Hex(0x3a86d8), x - 6, y - 8, 30);
    StrokeOutline(cr, 1.5);
    cairo_move_to(cr, x - 33, y - 10);
    cairo_line_to(cr, x + 37, y - 12);
    SetColor(cr, Palette::kWhite);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, x - 10, y - 12);
    cairo_line_to(cr, x + 24, y - 30);
    SetColor(cr, Palette::kWoodDark);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
}

void SailBoat(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 330);
    const double y = p.Number("y", 290);
    const double h = p.Number("h", 50);
    cairo_move_to(cr, x, y - 6);
    cairo_line_to(cr, x, y - h);
    SetColor(cr, Palette::kWoodDark);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 2, y - h);
    cairo_curve_to(cr, x + h * 0.45, y - h * 0.6, x + h * 0.5, y - h * 0.3, x + h * 0.5, y - 9);
    cairo_line_to(cr, x + 2, y - 9);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWhite, x + h * 0.15, y - h * 0.5, h * 0.5, 0.4);
    StrokeOutline(cr, 1.3);
    cairo_move_to(cr, x - 2, y - h * 0.85);
    cairo_line_to(cr, x - h * 0.35, y - 9);
    cairo_line_to(cr, x - 2, y - 9);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kFlowerRed, x - h * 0.15, y - h * 0.4, h * 0.4);
    StrokeOutline(cr, 1.3);
    cairo_move_to(cr, x - h * 0.45, y - 8);
    cairo_line_to(cr, x + h * 0.6, y - 8);
    cairo_line_to(cr, x + h * 0.45, y + 2);
    cairo_line_to(cr, x - h * 0.35, y + 2);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWood, x, y - 4, h * 0.5);
    StrokeOutline(cr, 1.3);
}

void StoneWall(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", -4);
    const double x1 = p.Number("x1", 644);
    const double top = p.Number("y", 230);
    const double bottom = p.Number("bottom", 310);
    const double gate = p.Number("gate", -1);
    const Rgb tone = ToneOf(p, "tone", Palette::kStone);
    const double merlon = 18;
    auto outline = [=](cairo_t* c) {
        cairo_move_to(c, x0, bottom);
        cairo_line_to(c, x0, top);
        for (double x = x0; x < x1; x += merlon * 2) {
            cairo_line_to(c, x + merlon, top);
            cairo_line_to(c, x + merlon, top + 10);
            cairo_line_to(c, x + merlon * 2, top + 10);
            cairo_line_to(c, x + merlon * 2, top);
        }
        cairo_line_to(c, x1, bottom);
        cairo_close_path(c);
    };
    outline(cr);
    FillVertical(cr, tone.Lighter(0.1), tone.Darker(0.15), top, bottom);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    for (double y = top + 10; y < bottom; y += 12) {
        const double shift = static_cast<int>((y - top) / 12) % 2 == 0 ? 0 : 14;
        for (double x = x0 - shift; x < x1; x += 28) {
            cairo_rectangle(cr, x, y, 28, 12);
        }
    }
    SetColor(cr, tone.Darker(0.35), 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    outline(cr);
    StrokeOutline(cr, 1.6);
    if (gate > 0) {
        cairo_move_to(cr, gate - 26, bottom);
        cairo_line_to(cr, gate - 26, top + 36);
        cairo_arc(cr, gate, top + 36, 26, M_PI, 2 * M_PI);
        cairo_line_to(cr, gate + 26, bottom);
        cairo_close_path(cr);
        FillVertical(cr, Palette::kWoodDark, Palette::kWood, top + 10, bottom);
        StrokeOutline(cr, 1.6);
        for (double gx = gate - 18; gx <= gate + 18; gx += 9) {
            cairo_move_to(cr, gx, top + 20);
            cairo_line_to(cr, gx, bottom);
        }
        SetColor(cr, Palette::kOutline, 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void Tower(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 500);
    const double base = p.Number("y", 300);
    const double w = p.Number("w", 60);
    const double h = p.Number("h", 180);
    const Rgb roof = ToneOf(p, "roof", Palette::kRoofRed);
    const Rgb stone = ToneOf(p, "tone", Palette::kStone);
    const double top = base - h;
    Box(cr, x - w / 2, top, w, h, stone, 1.8);
    cairo_save(cr);
    cairo_rectangle(cr, x - w / 2, top, w, h);
    cairo_clip(cr);
    for (double y = top + 4; y < base; y += 12) {
        const double shift = static_cast<int>((y - top) / 12) % 2 == 0 ? 0 : 10;
        for (double bx = x - w / 2 - shift; bx < x + w / 2; bx += 20) {
            cairo_rectangle(cr, bx, y, 20, 12);
        }
    }
    SetColor(cr, stone.Darker(0.35), 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, x, top, w / 2, h);
    SetColor(cr, Palette::kShadow, 0.15);
    cairo_fill(cr);
    cairo_restore(cr);
    for (int k = 0; k < 2; ++k) {
        RoundedRect(cr, x - 6, top + 24 + k * 48, 12, 22, 6);
        SetColor(cr, Palette::kOutline.Darker(0.3));
        cairo_fill(cr);
    }
    const double roofH = w * 1.1;
    cairo_move_to(cr, x - w / 2 - 8, top + 4);
    cairo_line_to(cr, x, top - roofH);
    cairo_line_to(cr, x + w / 2 + 8, top + 4);
    cairo_close_path(cr);
    FillLitFromLeft(cr, roof, x - w / 2, x + w / 2, 0.22);
    StrokeOutline(cr, 1.8);
    if (p.Number("flag", 1) != 0) {
        cairo_move_to(cr, x, top - roofH);
        cairo_line_to(cr, x, top - roofH - 24);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 1, top - roofH - 24);
        cairo_curve_to(cr, x + 10, top - roofH - 28, x + 16, top - roofH - 16, x + 24,
                       top - roofH - 20);
        cairo_line_to(cr, x + 24, top - roofH - 10);
        cairo_curve_to(cr, x + 16, top - roofH - 6, x + 10, top - roofH - 18, x + 1,
                       top - roofH - 13);
        cairo_close_path(cr);
        FillShaded(cr, ToneOf(p, "flagtone", Palette::kFlowerYellow), x + 12, top - roofH - 18, 12);
        StrokeOutline(cr, 1.1);
    }
}

void Fountain(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 320);
    const double y = p.Number("y", 330);
    GroundShadow(cr, x - 56, x + 56, y);
    Ellipse(cr, x, y - 12, 56, 14);
    FillVertical(cr, Palette::kStone, Palette::kStoneDark, y - 26, y + 2);
    StrokeOutline(cr, 1.6);
    cairo_rectangle(cr, x - 56, y - 22, 112, 10);
    FillVertical(cr, Palette::kStone.Lighter(0.1), Palette::kStone, y - 22, y - 12);
    cairo_new_path(cr);
    Ellipse(cr, x, y - 22, 56, 14);
    FillVertical(cr, Palette::kStone.Lighter(0.2), Palette::kStone, y - 36, y - 8);
    StrokeOutline(cr, 1.6);
    Ellipse(cr, x, y - 22, 48, 10);
    FillVertical(cr, Palette::kWater, Palette::kWaterLight, y - 32, y - 12);
    StrokeOutline(cr, 1.2);
    Box(cr, x - 7, y - 62, 14, 40, Palette::kStone);
    Ellipse(cr, x, y - 62, 22, 6);
    FillShaded(cr, Palette::kStone, x, y - 62, 22);
    StrokeOutline(cr, 1.4);
    // Jets of water
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, x, y - 66);
        cairo_curve_to(cr, x + side * 10, y - 90, x + side * 30, y - 80, x + side * 38, y - 28);
    }
    cairo_move_to(cr, x, y - 66);
    cairo_line_to(cr, x, y - 92);
    SetColor(cr, Palette::kWaterLight, 0.9);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColor(cr, Palette::kWhite, 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void Topiary(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 300);
    const double r = p.Number("r", 16);
    GroundShadow(cr, x - r, x + r, y);
    cairo_move_to(cr, x - r * 0.6, y);
    cairo_line_to(cr, x - r * 0.8, y - r * 0.9);
    cairo_line_to(cr, x + r * 0.8, y - r * 0.9);
    cairo_line_to(cr, x + r * 0.6, y);
    cairo_close_path(cr);
    FillShaded(cr, Hex(0xc0603a), x, y - r * 0.5, r);
    StrokeOutline(cr, 1.4);
    Box(cr, x - 2, y - r * 1.6, 4, r * 0.8, Palette::kBark, 1);
    cairo_arc(cr, x, y - r * 2.2, r, 0, 2 * M_PI);
    FillShaded(cr, Palette::kLeaf.Mix(Palette::kLeafDark, 0.3), x, y - r * 2.2, r);
    StrokeOutline(cr, 1.5);
    Random random(static_cast<uint32_t>(x));
    for (int i = 0; i < 10; ++i) {
        const double a = random.Range(0, 2 * M_PI);
        const double d = random.Range(0, r * 0.7);
        cairo_arc(cr, x + d * std::cos(a), y - r * 2.2 + d * std::sin(a), 1.4, 0, 2 * M_PI);
        SetColor(cr, Palette::kLeafLight, 0.7);
        cairo_fill(cr);
    }
}

void Banner(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 230);
    const double w = p.Number("w", 28);
    const double h = p.Number("h", 56);
    const Rgb tone = ToneOf(p, "tone", Palette::kCurtain);
    Box(cr, x - 3, y - 3, w + 6, 4, Palette::kWoodDark, 1);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x + w / 2, y + h - 10);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    FillVertical(cr, tone.Lighter(0.1), tone.Darker(0.2), y, y + h);
    StrokeOutline(cr, 1.3);
    cairo_arc(cr, x + w / 2, y + h * 0.38, w * 0.25, 0, 2 * M_PI);
    FillShaded(cr, Palette::kGold, x + w / 2, y + h * 0.38, w * 0.25);
    StrokeOutline(cr, 1);
}

void Urn(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 300);
    GroundShadow(cr, x - 12, x + 12, y);
    cairo_move_to(cr, x - 14, y - 26);
    cairo_curve_to(cr, x - 14, y - 10, x - 6, y - 8, x - 6, y - 4);
    cairo_line_to(cr, x - 9, y);
    cairo_line_to(cr, x + 9, y);
    cairo_line_to(cr, x + 6, y - 4);
    cairo_curve_to(cr, x + 6, y - 8, x + 14, y - 10, x + 14, y - 26);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kStone, x - 3, y - 16, 16);
    StrokeOutline(cr, 1.4);
    Random random(static_cast<uint32_t>(x) + 3);
    for (int i = 0; i < 7; ++i) {
        const double fx = x + random.Range(-12, 12);
        const double fy = y - 28 - random.Range(0, 10);
        cairo_arc(cr, fx, fy, 3.2, 0, 2 * M_PI);
        FillShaded(cr, i % 3 == 0 ? Palette::kLeaf : ToneOf(p, "bloom", Palette::kFlowerRed), fx,
                   fy, 3.2);
        StrokeOutline(cr, 0.8);
    }
}

void Chalet(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 470);
    const double base = p.Number("y", 300);
    const double w = p.Number("w", 120);
    const double h = p.Number("h", 60);
    GroundShadow(cr, x - 10, x + w + 10, base);
    Box(cr, x, base - 16, w, 16, Palette::kStone, 1.6);
    Box(cr, x, base - h, w, h - 16, Palette::kWood, 1.6);
    for (double ly = base - h + 8; ly < base - 16; ly += 8) {
        cairo_move_to(cr, x, ly);
        cairo_line_to(cr, x + w, ly);
    }
    SetColor(cr, Palette::kWoodDark, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double roofTop = base - h - w * 0.32;
    cairo_move_to(cr, x - 16, base - h + 6);
    cairo_line_to(cr, x + w / 2, roofTop);
    cairo_line_to(cr, x + w + 16, base - h + 6);
    cairo_line_to(cr, x + w + 10, base - h + 12);
    cairo_line_to(cr, x + w / 2, roofTop + 8);
    cairo_line_to(cr, x - 10, base - h + 12);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWoodDark, x + w / 2, roofTop + 10, w / 2);
    StrokeOutline(cr, 1.6);
    cairo_move_to(cr, x - 6, base - h + 6);
    cairo_line_to(cr, x + w / 2, roofTop + 4);
    cairo_line_to(cr, x + w + 6, base - h + 6);
    SetColor(cr, Palette::kSnow);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    for (double wx : {x + w * 0.15, x + w * 0.65}) {
        Window(cr, wx, base - h + 12, w * 0.2, h * 0.3, true);
        cairo_rectangle(cr, wx - 2, base - h + 12 + h * 0.3, w * 0.2 + 4, 4);
        SetColor(cr, Palette::kFlowerRed);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.8);
    }
    Window(cr, x + w / 2 - 8, roofTop + 18, 16, 12, true);
}

void Skyline(cairo_t* cr, const Prop& p) {
    const double base = p.Number("y", 300);
    const double h = p.Number("h", 100);
    const double x0 = p.Number("x0", -10);
    const double x1 = p.Number("x1", 650);
    Random random(static_cast<uint32_t>(p.Number("seed", 8)));
    static const Rgb kFronts[] = {Hex(0xf0c27a), Hex(0xe88a6a), Hex(0x9ac0e8),
                                  Hex(0xf4e2b0), Hex(0xc8a0d8), Hex(0xa8d8a0)};
    for (double x = x0; x < x1;) {
        const double w = random.Range(46, 80);
        const double bh = h * random.Range(0.55, 1.0);
        const Rgb front = kFronts[random.Below(6)];
        Box(cr, x, base - bh, w, bh, front, 1.6);
        // Roof: flat with a ledge, or pitched.
        if (random.Unit() < 0.5) {
            cairo_move_to(cr, x - 3, base - bh);
            cairo_line_to(cr, x + w / 2, base - bh - w * 0.35);
            cairo_line_to(cr, x + w + 3, base - bh);
            cairo_close_path(cr);
            FillShaded(cr, Palette::kRoofRed, x + w / 2, base - bh - 8, w / 2);
            StrokeOutline(cr, 1.4);
        } else {
            Box(cr, x - 2, base - bh - 5, w + 4, 5, front.Darker(0.3), 1.2);
        }
        for (double wy = base - bh + 10; wy < base - 18; wy += 20) {
            for (double wx = x + 7; wx + 10 < x + w - 4; wx += 16) {
                Window(cr, wx, wy, 10, 12, random.Unit() < 0.2);
            }
        }
        x += w - 1;
    }
}

void TvTower(cairo_t* cr, const Prop& p) {
    // The antenna's tip is at (x, tip): the blinking light of the city stage sits on it.
    const double x = p.Number("x", 204);
    const double tip = p.Number("tip", 30);
    const double base = p.Number("y", 300);
    const double podY = tip + (base - tip) * 0.3;
    cairo_move_to(cr, x - 14, base);
    cairo_line_to(cr, x - 5, podY);
    cairo_line_to(cr, x + 5, podY);
    cairo_line_to(cr, x + 14, base);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kWallCream, x - 4, (podY + base) / 2, 30);
    StrokeOutline(cr, 1.6);
    for (double y = podY + 30; y < base; y += 30) {
        const double half = 5 + 9 * (y - podY) / (base - podY);
        cairo_move_to(cr, x - half, y);
        cairo_line_to(cr, x + half, y);
    }
    SetColor(cr, Palette::kFlowerRed, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Ellipse(cr, x, podY, 20, 11);
    FillShaded(cr, Palette::kMetal, x, podY, 20);
    StrokeOutline(cr, 1.6);
    cairo_rectangle(cr, x - 19, podY - 2, 38, 3);
    SetColor(cr, Palette::kWaterLight);
    cairo_fill(cr);
    cairo_move_to(cr, x, podY - 11);
    cairo_line_to(cr, x, tip + 4);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColor(cr, Palette::kMetal);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, x, tip, 4, 0, 2 * M_PI);
    FillShaded(cr, Hex(0xb02a20), x, tip, 4);
    StrokeOutline(cr, 1.1);
}

void Lamp(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 560);
    const double base = p.Number("y", 330);
    const double h = p.Number("h", 110);
    GroundShadow(cr, x - 10, x + 10, base);
    Box(cr, x - 6, base - 10, 12, 10, Palette::kMetalDark, 1.2);
    Box(cr, x - 2.5, base - h, 5, h - 10, Palette::kMetalDark.Mix(Palette::kPine, 0.4), 1.2);
    cairo_move_to(cr, x - 10, base - h);
    cairo_line_to(cr, x + 10, base - h);
    cairo_line_to(cr, x + 7, base - h - 16);
    cairo_line_to(cr, x - 7, base - h - 16);
    cairo_close_path(cr);
    FillVertical(cr, Palette::kFlowerYellow.Lighter(0.4), Palette::kOrangeLight, base - h - 16,
                 base - h);
    StrokeOutline(cr, 1.3);
    cairo_move_to(cr, x - 10, base - h - 16);
    cairo_line_to(cr, x, base - h - 24);
    cairo_line_to(cr, x + 10, base - h - 16);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kMetalDark, x, base - h - 20, 10);
    StrokeOutline(cr, 1.2);
}

void Kiosk(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 60);
    const double base = p.Number("y", 320);
    const double w = 70;
    GroundShadow(cr, x, x + w, base);
    Box(cr, x, base - 44, w, 44, Palette::kWallCream, 1.6);
    Window(cr, x + 10, base - 40, w - 20, 20);
    Box(cr, x - 2, base - 22, w + 4, 6, Palette::kWood, 1.2);
    // Striped awning
    for (int k = 0; k < 7; ++k) {
        cairo_move_to(cr, x - 6 + k * 12, base - 46);
        cairo_line_to(cr, x + 6 + k * 12, base - 46);
        cairo_line_to(cr, x + 6 + k * 12, base - 58);
        cairo_line_to(cr, x - 6 + k * 12, base - 58);
        cairo_close_path(cr);
        SetColor(cr, k % 2 == 0 ? Palette::kFlowerRed : Palette::kWhite);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1);
    }
    Box(cr, x - 4, base - 76, w + 8, 18, Palette::kFlowerBlue, 1.4);
    // An ice cream cone on the sign.
    cairo_move_to(cr, x + w / 2 - 5, base - 68);
    cairo_line_to(cr, x + w / 2, base - 60);
    cairo_line_to(cr, x + w / 2 + 5, base - 68);
    cairo_close_path(cr);
    SetColor(cr, Palette::kWoodLight);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.8);
    cairo_arc(cr, x + w / 2, base - 70, 5, 0, 2 * M_PI);
    FillShaded(cr, Palette::kFlowerPink, x + w / 2, base - 70, 5);
    StrokeOutline(cr, 0.8);
}

void BusStop(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 440);
    const double base = p.Number("y", 320);
    GroundShadow(cr, x, x + 80, base);
    for (double px : {x + 4, x + 72}) {
        Box(cr, px, base - 56, 4, 56, Palette::kMetalDark, 1.1);
    }
    cairo_rectangle(cr, x + 6, base - 52, 68, 34);
    SetColor(cr, Palette::kWaterLight, 0.5);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1.2);
    Box(cr, x - 4, base - 62, 88, 8, Palette::kButtonGreen, 1.4);
    Box(cr, x + 14, base - 16, 50, 5, Palette::kWood, 1.1);
    Box(cr, x + 90, base - 70, 3, 70, Palette::kMetalDark, 1);
    cairo_arc(cr, x + 91.5, base - 74, 9, 0, 2 * M_PI);
    FillShaded(cr, Palette::kFlowerYellow, x + 91.5, base - 74, 9);
    StrokeOutline(cr, 1.2);
    cairo_rectangle(cr, x + 88, base - 78, 7, 8);
    SetColor(cr, Palette::kButtonGreen);
    cairo_fill(cr);
}

void Hedge(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", 0);
    const double x1 = p.Number("x1", 200);
    const double y = p.Number("y", 320);
    const double h = p.Number("h", 24);
    PaintFoliage(cr, {{(x0 + x1) / 2, y - h / 2, (x1 - x0) / 2, h / 2, 4}},
                 ToneOf(p, "tone", Palette::kLeaf.Mix(Palette::kLeafDark, 0.3)),
                 static_cast<unsigned>(x0 + 17), h * 0.45);
}

} // namespace

void AddBuildingProps(std::map<std::string, PropPainter>& out) {
    out["fence"] = Fence;
    out["house"] = House;
    out["well"] = Well;
    out["bench"] = Bench;
    out["scarecrow"] = Scarecrow;
    out["windmill"] = Windmill;
    out["pier"] = Pier;
    out["rowboat"] = RowBoat;
    out["sailboat"] = SailBoat;
    out["wall"] = StoneWall;
    out["tower"] = Tower;
    out["fountain"] = Fountain;
    out["topiary"] = Topiary;
    out["banner"] = Banner;
    out["urn"] = Urn;
    out["chalet"] = Chalet;
    out["skyline"] = Skyline;
    out["tvtower"] = TvTower;
    out["lamp"] = Lamp;
    out["kiosk"] = Kiosk;
    out["busstop"] = BusStop;
    out["hedge"] = Hedge;
}

} // namespace Vuro::AssetGen
