// The options dialog's controls: the check box lamp (left half off, right half lit), the slider
// track (left end, a middle piece the slider repeats, right end) and the slider's knob.
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Canvas.h"

#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

// A tick mark in the lamp's middle.
void Tick(cairo_t* cr, double cx, double cy, double r) {
    cairo_move_to(cr, cx - r * 0.45, cy + r * 0.02);
    cairo_line_to(cr, cx - r * 0.1, cy + r * 0.38);
    cairo_line_to(cr, cx + r * 0.5, cy - r * 0.38);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, r * 0.42);
    cairo_stroke_preserve(cr);
    SetColor(cr, Palette::kWhite);
    cairo_set_line_width(cr, r * 0.24);
    cairo_stroke(cr);
}

} // namespace

// The check box: a lamp in a wooden socket, dark when off, glowing green with a tick when on.
void PaintLamp(Sheet& sheet, const MenuArtSources&) {
    Canvas& canvas = sheet.GetCanvas();
    const double size = canvas.Height();
    for (int on = 0; on < 2; ++on) {
        cairo_t* cr = canvas.Cr();
        const double cx = size * (on + 0.5);
        const double cy = size * 0.47;
        const double socket = size * 0.44;
        const double r = size * 0.31;
        ShadedBody(
            cr, [=](cairo_t* c) { Ellipse(c, cx, cy, socket, socket); }, Palette::kWood, cx, cy,
            socket, false);
        if (on == 1) {
            cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, socket);
            cairo_pattern_add_color_stop_rgba(halo, 0, 0.8, 1, 0.5, 0.9);
            cairo_pattern_add_color_stop_rgba(halo, 1, 0.8, 1, 0.5, 0);
            cairo_set_source(cr, halo);
            Ellipse(cr, cx, cy, socket, socket);
            cairo_fill(cr);
            cairo_pattern_destroy(halo);
        }
        const Rgb glass = on == 1 ? Palette::kButtonGreen.Lighter(0.25) : Palette::kStoneDark;
        ShadedBody(
            cr, [=](cairo_t* c) { Ellipse(c, cx, cy, r, r); }, glass, cx, cy, r, false, 1.2);
        Gloss(cr, cx, cy, r, on == 1 ? 0.85 : 0.45);
        if (on == 1) {
            Tick(cr, cx, cy, r);
        }
    }
}

// The track: a groove cut in a wooden rail; the middle cell repeats seamlessly.
void PaintSliderTrack(Sheet& sheet, const MenuArtSources&) {
    Canvas& canvas = sheet.GetCanvas();
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    const double cell = w / 3;
    // The rail spans the whole picture; the middle cell's left and right edges match.
    auto rail = [&](cairo_t* c) { RoundedRect(c, 1, 2, w - 2, h - 4, (h - 4) / 2); };
    cairo_new_path(cr);
    rail(cr);
    FillVertical(cr, Palette::kWoodLight, Palette::kWood.Darker(0.1), 2, h - 2);
    StrokeOutline(cr, 1.3);
    auto groove = [&](cairo_t* c) { RoundedRect(c, 6, h / 2 - 3, w - 12, 6, 3); };
    cairo_new_path(cr);
    groove(cr);
    FillVertical(cr, Palette::kWoodDark.Darker(0.4), Palette::kWoodDark, h / 2 - 3, h / 2 + 3);
    SetColor(cr, Palette::kOutline, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Notches at the ends only, so the repeated middle stays plain.
    for (double x : {cell * 0.5, w - cell * 0.5}) {
        cairo_move_to(cr, x, 3.5);
        cairo_line_to(cr, x, h / 2 - 4);
        SetColor(cr, Palette::kWoodDark, 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// The knob: a red apple with a leaf, which the player drags along the track.
void PaintSliderThumb(Sheet& sheet, const MenuArtSources&) {
    Canvas& canvas = sheet.GetCanvas();
    cairo_t* cr = canvas.Cr();
    const double cx = canvas.Width() / 2.0 - 0.5;
    const double cy = canvas.Height() * 0.6;
    const double r = canvas.Width() * 0.4;
    auto apple = [=](cairo_t* c) {
        cairo_move_to(c, cx, cy - r * 0.7);
        cairo_curve_to(c, cx + r * 0.6, cy - r * 1.15, cx + r * 1.15, cy - r * 0.5, cx + r,
                       cy + r * 0.15);
        cairo_curve_to(c, cx + r * 0.9, cy + r * 0.8, cx + r * 0.4, cy + r, cx, cy + r * 0.85);
        cairo_curve_to(c, cx - r * 0.4, cy + r, cx - r * 0.9, cy + r * 0.8, cx - r, cy + r * 0.15);
        cairo_curve_to(c, cx - r * 1.15, cy - r * 0.5, cx - r * 0.6, cy - r * 1.15, cx,
                       cy - r * 0.7);
        cairo_close_path(c);
    };
    SoftShadow(cr, apple, 1.5, 2, 1.5, 0.4);
    ShadedBody(cr, apple, Palette::kApple, cx, cy, r, false, 1.3);
    Gloss(cr, cx, cy, r, 0.8);
    cairo_move_to(cr, cx, cy - r * 0.65);
    cairo_curve_to(cr, cx, cy - r, cx + 1, cy - r * 1.2, cx + 2, cy - r * 1.35);
    SetColor(cr, Palette::kStem);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, cx + 1, cy - r * 1.0);
    cairo_curve_to(cr, cx + r * 0.5, cy - r * 1.5, cx + r * 0.9, cy - r * 1.2, cx + r * 0.95,
                   cy - r * 1.05);
    cairo_curve_to(cr, cx + r * 0.6, cy - r * 0.8, cx + r * 0.3, cy - r * 0.85, cx + 1,
                   cy - r * 1.0);
    cairo_close_path(cr);
    SetColor(cr, Palette::kLeaf);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 0.9);
}

} // namespace Vuro::AssetGen
