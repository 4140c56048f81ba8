// The credits' background: a painter's table seen from above. The credits scroll up over a
// long sheet of pale drawing paper on its left (pure blue headings read on it, where wood made
// them shimmer); on the right lies the sheet on which the seven credit paintings appear one
// after another, with paint tubes above it and the palette and brushes below.
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/menuart/Plaques.h"

#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

constexpr double kW = kFieldWidth;
constexpr Rgb kDrawingPaper = Hex(0xcdc6b6);

void TablePlanks(cairo_t* cr) {
    const double plank = 80;
    for (int i = 0; i < 6; ++i) {
        const double y = i * plank;
        const Rgb wood =
            i % 2 == 0 ? Palette::kWoodLight : Palette::kWoodLight.Mix(Palette::kWood, 0.3);
        Plaques::Wood(
            cr, [=](cairo_t* c) { cairo_rectangle(c, -4, y, kW + 8, plank); }, -4, y, kW + 8, plank,
            wood, 40 + i, false);
    }
}

// A tube of paint lying on the table, its cap to the left.
void PaintTube(cairo_t* cr, double x, double y, double angle, const Rgb& paint) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    auto body = [](cairo_t* c) {
        cairo_move_to(c, 0, -7);
        cairo_line_to(c, 34, -8);
        cairo_line_to(c, 36, 8);
        cairo_line_to(c, 0, 7);
        cairo_close_path(c);
    };
    SoftShadow(cr, body);
    cairo_new_path(cr);
    body(cr);
    FillVertical(cr, Palette::kMetal.Lighter(0.4), Palette::kMetalDark, -8, 8);
    StrokeOutline(cr, 1.2);
    cairo_rectangle(cr, 8, -6, 16, 12);
    SetColor(cr, paint);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.8);
    RoundedRect(cr, -9, -4, 9, 8, 2);
    SetColor(cr, paint.Darker(0.2));
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1);
    // A squeeze of paint at the cap.
    Ellipse(cr, -14, 1, 5, 3.5);
    SetColor(cr, paint);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.8);
    cairo_restore(cr);
}

void Brush(cairo_t* cr, double x, double y, double angle, double length, const Rgb& handle,
           const Rgb& tip) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    auto shape = [=](cairo_t* c) { RoundedRect(c, 0, -3, length, 6, 3); };
    SoftShadow(cr, shape);
    cairo_new_path(cr);
    shape(cr);
    FillVertical(cr, handle.Lighter(0.3), handle.Darker(0.2), -3, 3);
    StrokeOutline(cr, 1);
    cairo_rectangle(cr, -10, -3.5, 10, 7);
    FillVertical(cr, Palette::kMetal.Lighter(0.4), Palette::kMetalDark, -3.5, 3.5);
    StrokeOutline(cr, 0.8);
    cairo_move_to(cr, -10, -3.5);
    cairo_curve_to(cr, -18, -4, -24, -1, -27, 0);
    cairo_curve_to(cr, -24, 1, -18, 4, -10, 3.5);
    cairo_close_path(cr);
    SetColor(cr, tip);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.8);
    cairo_restore(cr);
}

void ArtistPalette(cairo_t* cr, double cx, double cy) {
    auto board = [=](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_save(c);
        cairo_translate(c, cx, cy);
        cairo_scale(c, 1, 0.62);
        cairo_arc(c, 0, 0, 82, 0.55, 2 * M_PI + 0.2);
        cairo_restore(c);
        cairo_curve_to(c, cx + 40, cy + 5, cx + 40, cy + 30, cx + 70, cy + 30);
        cairo_close_path(c);
    };
    SoftShadow(cr, board);
    cairo_new_path(cr);
    board(cr);
    Ellipse(cr, cx - 40, cy + 8, 9, 7); // the thumb hole
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillVertical(cr, Palette::kWoodLight.Lighter(0.2), Palette::kWood, cy - 50, cy + 50);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    StrokeOutline(cr, 1.5);
    const Rgb blobs[] = {Palette::kApple, Palette::kFlowerYellow, Palette::kButtonBlue,
                         Palette::kGrass, Palette::kWhite,        Palette::kPlum};
    for (int i = 0; i < 6; ++i) {
        const double a = M_PI * (1.1 + i * 0.27);
        const double bx = cx + 58 * std::cos(a);
        const double by = cy + 32 * std::sin(a);
        Blob(cr, bx, by, 10, 8, 0.15, 5, i);
        FillShaded(cr, blobs[i], bx, by, 10, 0.6);
        StrokeOutline(cr, 1);
    }
}

// The sheet under the scrolling credits (texts from x 10, none wider than 300 pixels), running
// off the top and bottom of the table, a little askew.
void DrawingPaper(cairo_t* cr) {
    auto paper = [](cairo_t* c) {
        cairo_save(c);
        cairo_rotate(c, 0.012);
        cairo_rectangle(c, -20, -30, 334, 540);
        cairo_restore(c);
    };
    SoftShadow(cr, paper, 4, 3, 5, 0.35);
    cairo_new_path(cr);
    paper(cr);
    FillVertical(cr, kDrawingPaper.Lighter(0.12), kDrawingPaper.Darker(0.04), 0, kFieldHeight);
    StrokeOutline(cr, 1.2);
}

} // namespace

void PaintTableTop(Sheet& sheet, const MenuArtSources&) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        TablePlanks(cr);
        DrawingPaper(cr);
        // The sheet for the paintings (they are drawn at 370, 60, 250 x 300), held by tape.
        auto paper = [](cairo_t* c) { cairo_rectangle(c, 360, 50, 270, 320); };
        SoftShadow(cr, paper, 4, 5, 4, 0.4);
        cairo_new_path(cr);
        paper(cr);
        FillVertical(cr, Palette::kWhite, Palette::kParchment, 50, 370);
        StrokeOutline(cr, 1.2);
        // The publisher's logo lies over the top left corner (at 335, 17): its tape sits on
        // the top edge beside it instead.
        const struct {
            double x, y, angle;
        } tapes[] = {{478, 50, -0.12}, {630, 50, 0.7}, {360, 370, 0.7}, {630, 370, -0.7}};
        for (const auto& tape : tapes) {
            cairo_save(cr);
            cairo_translate(cr, tape.x, tape.y);
            cairo_rotate(cr, tape.angle);
            cairo_rectangle(cr, -14, -6, 28, 12);
            SetColor(cr, Palette::kParchmentDark, 0.75);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        PaintTube(cr, 470, 20, -0.08, Palette::kApple);
        PaintTube(cr, 532, 26, 0.1, Palette::kButtonBlue);
        PaintTube(cr, 590, 18, -0.05, Palette::kFlowerYellow);
        ArtistPalette(cr, 520, 430);
        Brush(cr, 395, 405, -0.35, 70, Palette::kApple, Palette::kButtonBlue);
        Brush(cr, 385, 452, 0.12, 80, Palette::kButtonGreen, Palette::kFlowerYellow);
    });
}

} // namespace Vuro::AssetGen
