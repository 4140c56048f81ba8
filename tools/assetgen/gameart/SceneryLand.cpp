// Props of the land: hills, meadows, paths, water and what grows in it, forests, mountains,
// rocks, bushes, flowers, mushrooms, stumps and logs.
#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/gameart/Scenery.h"
#include "tools/assetgen/gameart/Trees.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

constexpr double kBottom = kFieldHeight;

double Wave(double x, double amp, double waves, double phase) {
    const double k = 2 * M_PI * waves / kFieldWidth; // whole waves across the field
    return amp * (0.65 * std::sin(x * k + phase) + 0.35 * std::sin(x * k * 2.3 + phase * 1.7));
}

void WavyBand(cairo_t* cr, double y, double amp, double waves, double phase) {
    cairo_move_to(cr, -4, kBottom + 4);
    for (double x = -4; x <= 644; x += 4) {
        cairo_line_to(cr, x, y + Wave(x, amp, waves, phase));
    }
    cairo_line_to(cr, 644, kBottom + 4);
    cairo_close_path(cr);
}

void Tuft(cairo_t* cr, double x, double y, double s, const Rgb& colour) {
    cairo_move_to(cr, x - 3 * s, y);
    cairo_curve_to(cr, x - 3 * s, y - 3 * s, x - 4 * s, y - 5 * s, x - 6 * s, y - 7 * s);
    cairo_curve_to(cr, x - 2 * s, y - 5 * s, x - 1 * s, y - 3 * s, x, y - 2 * s);
    cairo_curve_to(cr, x, y - 5 * s, x + 1 * s, y - 7 * s, x + 1.5 * s, y - 9 * s);
    cairo_curve_to(cr, x + 2.5 * s, y - 6 * s, x + 2 * s, y - 4 * s, x + 2.2 * s, y - 2 * s);
    cairo_curve_to(cr, x + 3 * s, y - 4 * s, x + 5 * s, y - 5 * s, x + 6 * s, y - 6 * s);
    cairo_curve_to(cr, x + 4.5 * s, y - 3 * s, x + 4 * s, y - 1 * s, x + 4 * s, y);
    cairo_close_path(cr);
    SetColor(cr, colour);
    cairo_fill(cr);
}

void Flower(cairo_t* cr, double x, double y, double r, const Rgb& colour) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y + r * 3);
    SetColor(cr, Palette::kLeafDark);
    cairo_set_line_width(cr, std::max(1.0, r * 0.4));
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + r * 0.7 * std::cos(a), y + r * 0.7 * std::sin(a), r * 0.6, 0, 2 * M_PI);
    }
    FillShaded(cr, colour, x, y, r * 1.2, 0.6);
    SetColor(cr, Palette::kOutline, 0.7);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, x, y, r * 0.4, 0, 2 * M_PI);
    SetColor(cr, colour == Palette::kFlowerYellow ? Palette::kOrange : Palette::kFlowerYellow);
    cairo_fill(cr);
}

const Rgb kFlowerColours[] = {Palette::kFlowerRed, Palette::kFlowerYellow, Palette::kFlowerBlue,
                              Palette::kFlowerPink, Palette::kWhite};

void Hills(cairo_t* cr, const Prop& p) {
    const Rgb tone = ToneOf(p, "tone", Palette::kGrass);
    const double y = p.Number("y", 260);
    const double amp = p.Number("amp", 12);
    const double waves = p.Number("waves", 2);
    const double phase = p.Number("seed", 0);
    WavyBand(cr, y, amp, waves, phase);
    FillVertical(cr, tone.Lighter(0.18), tone.Darker(0.15), y - amp, y + 140);
    StrokeOutline(cr, p.Number("line", 1.5));
}

void Meadow(cairo_t* cr, const Prop& p) {
    const Rgb tone = ToneOf(p, "tone", Palette::kGrass);
    const double y = p.Number("y", 300);
    const double amp = p.Number("amp", 3);
    WavyBand(cr, y, amp, 3, p.Number("seed", 1));
    FillVertical(cr, tone.Lighter(0.2), tone.Darker(0.1), y, kBottom);
    StrokeOutline(cr, 1.5);
    Random random(static_cast<uint32_t>(p.Number("seed", 1)) + 7);
    const int tufts = static_cast<int>(p.Number("tufts", 60));
    for (int i = 0; i < tufts; ++i) {
        const double ty = y + 8 + std::pow(random.Unit(), 0.7) * (kBottom - y - 8);
        const double depth = (ty - y) / (kBottom - y);
        const Rgb colour = random.Unit() < 0.5 ? tone.Darker(0.25) : tone.Lighter(0.3);
        const double tx = random.Range(0, kFieldWidth);
        Tuft(cr, tx, ty, 0.8 + depth * 1.2, colour);
    }
    const int flowers = static_cast<int>(p.Number("flowers", 0));
    for (int i = 0; i < flowers; ++i) {
        const double fy = y + 12 + random.Unit() * (kBottom - y - 20);
        Flower(cr, random.Range(5, 635), fy, 1.8 + (fy - y) / 80, kFlowerColours[i % 5]);
    }
}

void Path(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", 300);
    const double y0 = p.Number("y0", 300);
    const double x1 = p.Number("x1", 320);
    const double w0 = p.Number("w0", 20);
    const double w1 = p.Number("w1", 120);
    const double bend = p.Number("bend", 60);
    cairo_move_to(cr, x0 - w0 / 2, y0);
    cairo_curve_to(cr, x0 - w0 / 2 + bend, y0 + 60, x1 - w1 / 2 - bend, kBottom - 80, x1 - w1 / 2,
                   kBottom + 2);
    cairo_line_to(cr, x1 + w1 / 2, kBottom + 2);
    cairo_curve_to(cr, x1 + w1 / 2 - bend, kBottom - 80, x0 + w0 / 2 + bend, y0 + 60, x0 + w0 / 2,
                   y0);
    cairo_close_path(cr);
    const Rgb tone = ToneOf(p, "tone", Palette::kPath);
    FillVertical(cr, tone.Darker(0.1), tone.Lighter(0.15), y0, kBottom);
    StrokeOutline(cr, 1.2);
}

void Water(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", -10);
    const double x1 = p.Number("x1", 650);
    const double y0 = p.Number("y0", 260);
    const double y1 = p.Number("y1", 380);
    const double bulge = p.Number("bulge", 20);
    auto shape = [&](cairo_t* c) {
        cairo_move_to(c, x0, y0);
        cairo_line_to(c, x1, y0);
        cairo_curve_to(c, x1, y1 - bulge, x1 - 80, y1 + bulge, (x0 + x1) / 2, y1);
        cairo_curve_to(c, x0 + 80, y1 + bulge, x0, y1 - bulge, x0, y0);
        cairo_close_path(c);
    };
    shape(cr);
    FillVertical(cr, Palette::kWaterLight, Palette::kWaterDeep, y0, y1 + bulge);
    StrokeOutline(cr, 1.6);
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    Random random(static_cast<uint32_t>(p.Number("seed", 5)));
    for (int i = 0; i < 40; ++i) {
        const double ry = random.Range(y0 + 4, y1 + bulge);
        const double rx = random.Range(x0, x1);
        const double len = 8 + (ry - y0) * 0.25;
        cairo_move_to(cr, rx, ry);
        cairo_curve_to(cr, rx + len * 0.3, ry - 1.5, rx + len * 0.7, ry - 1.5, rx + len, ry);
    }
    SetColor(cr, Palette::kWhite, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // The far shore mirrored as a darker band.
    cairo_rectangle(cr, x0, y0, x1 - x0, 8);
    FillVertical(cr, Palette::kWaterDeep, Palette::kWaterLight, y0, y0 + 8, 0.45);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void PineShape(cairo_t* cr, double x, double base, double h, const Rgb& tone, bool shadow) {
    const double w = h * 0.42;
    auto shape = [=](cairo_t* c) {
        const int tiers = 4;
        for (int t = 0; t < tiers; ++t) {
            const double top = base - h + t * h * 0.2;
            const double low = base - h * 0.12 - (tiers - 1 - t) * h * 0.2;
            const double half = w * (0.35 + 0.65 * (t + 1) / tiers) / 2;
            cairo_move_to(c, x, top);
            cairo_curve_to(c, x + half * 0.4, top + (low - top) * 0.5, x + half, low - 4, x + half,
                           low);
            cairo_curve_to(c, x + half * 0.3, low + 3, x - half * 0.3, low + 3, x - half, low);
            cairo_curve_to(c, x - half, low - 4, x - half * 0.4, top + (low - top) * 0.5, x, top);
            cairo_close_path(c);
        }
    };
    cairo_rectangle(cr, x - h * 0.035, base - h * 0.15, h * 0.07, h * 0.15);
    SetColor(cr, Palette::kBarkDark);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1);
    if (shadow) {
        SoftShadow(cr, shape, 3, 3, 3, 0.3);
    }
    OutlineBehind(cr, shape, 1.1);
    shape(cr);
    FillLitFromLeft(cr, tone, x - w / 2, x + w / 2, 0.22);
    cairo_new_path(cr);
}

void Pines(cairo_t* cr, const Prop& p) {
    const double x0 = p.Number("x0", 0);
    const double x1 = p.Number("x1", kFieldWidth);
    const double y = p.Number("y", 280);
    const double h = p.Number("h", 80);
    const Rgb tone = ToneOf(p, "tone", Palette::kPine);
    Random random(static_cast<uint32_t>(p.Number("seed", 3)));
    const double step = p.Number("step", h * 0.28);
    for (double x = x0; x <= x1; x += step * random.Range(0.7, 1.2)) {
        const double hh = h * random.Range(0.7, 1.1);
        const double shade = random.Range(0, 0.4);
        const double dy = random.Range(-4, 6);
        PineShape(cr, x, y + dy, hh, tone.Mix(Palette::kPineDark, shade), false);
    }
}

void Pine(cairo_t* cr, const Prop& p) {
    PineShape(cr, p.Number("x", 100), p.Number("y", 300), p.Number("h", 200),
              ToneOf(p, "tone", Palette::kPine), true);
}

void Mountains(cairo_t* cr, const Prop& p) {
    const double base = p.Number("y", 280);
    const double h = p.Number("h", 180);
    const int count = static_cast<int>(p.Number("count", 3));
    const double x0 = p.Number("x0", -60);
    const double x1 = p.Number("x1", 700);
    const Rgb tone = ToneOf(p, "tone", Palette::kMountain);
    const bool snow = p.Number("snow", 1) != 0;
    Random random(static_cast<uint32_t>(p.Number("seed", 2)));
    for (int i = 0; i < count; ++i) {
        const double cx = x0 + (x1 - x0) * (i + 0.5) / count + random.Range(-30, 30);
        const double ph = h * random.Range(0.75, 1.0);
        const double half = (x1 - x0) / count * random.Range(0.7, 0.95);
        const double top = base - ph;
        const double skew = random.Range(-20, 20);
        auto peak = [&](cairo_t* c) {
            cairo_move_to(c, cx - half, base + 40);
            cairo_line_to(c, cx - half * 0.45, base - ph * 0.45);
            cairo_line_to(c, cx - 8 + skew, top + 6);
            cairo_line_to(c, cx + skew, top);
            cairo_line_to(c, cx + 10 + skew, top + 8);
            cairo_line_to(c, cx + half * 0.5, base - ph * 0.5);
            cairo_line_to(c, cx + half, base + 40);
            cairo_close_path(c);
        };
        peak(cr);
        // The lit face and the shaded face meet at the ridge.
        FillLitFromLeft(cr, tone, cx + skew - half * 0.05, cx + skew + half * 0.05);
        StrokeOutline(cr, 1.6);
        if (snow) {
            cairo_save(cr);
            peak(cr);
            cairo_clip(cr);
            const double line = top + ph * 0.3;
            cairo_move_to(cr, cx - half, line);
            for (int k = 0; k <= 8; ++k) {
                const double x = cx - half * 0.5 + half * k / 8;
                cairo_line_to(cr, x, line + (k % 2 == 0 ? -6 : 8));
            }
            cairo_line_to(cr, cx + half, line);
            cairo_line_to(cr, cx + half, top - 10);
            cairo_line_to(cr, cx - half, top - 10);
            cairo_close_path(cr);
            FillVertical(cr, Palette::kSnow, Palette::kSnow.Mix(tone, 0.25), top, line);
            cairo_new_path(cr);
            cairo_restore(cr);
            peak(cr);
            StrokeOutline(cr, 1.6);
        }
    }
}

void Rocks(cairo_t* cr, const Prop& p) {
    Random random(static_cast<uint32_t>(p.Number("seed", 9)));
    const int count = static_cast<int>(p.Number("count", 3));
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double r = p.Number("r", 16);
    const Rgb tone = ToneOf(p, "tone", Palette::kRock);
    for (int i = 0; i < count; ++i) {
        const double rx = x + i * r * 1.3 + random.Range(-4, 4);
        const double rr = r * random.Range(0.55, 1.0) * (i == 0 ? 1 : 0.8);
        const double phase = random.Range(0, 6);
        auto rock = [&](cairo_t* c) { Blob(c, rx, y - rr * 0.55, rr, rr * 0.7, 0.1, 3, phase); };
        SoftShadow(cr, rock, 3, 3, 3, 0.35);
        rock(cr);
        FillShaded(cr, tone, rx, y - rr * 0.6, rr);
        StrokeOutline(cr, 1.5);
    }
}

void Bush(cairo_t* cr, const Prop& p) {
    const double r = p.Number("r", 24);
    PaintFoliage(cr, {{p.Number("x", 100), p.Number("y", 380) - r * 0.75, r, r * 0.75, 2}},
                 ToneOf(p, "tone", Palette::kLeaf), static_cast<unsigned>(p.Number("seed", 3)),
                 p.Number("leaf", r * 0.45));
    const int flowers = static_cast<int>(p.Number("flowers", 0));
    Random random(static_cast<uint32_t>(p.Number("seed", 3)) + 40);
    const Rgb colour = ToneOf(p, "bloom", Palette::kFlowerPink);
    for (int i = 0; i < flowers; ++i) {
        const double a = random.Range(-M_PI, 0);
        const double d = random.Range(0.2, 0.8);
        const double fx = p.Number("x", 100) + r * d * std::cos(a);
        const double fy = p.Number("y", 380) - r * 0.75 + r * 0.7 * d * std::sin(a);
        cairo_arc(cr, fx, fy, 2.4, 0, 2 * M_PI);
        FillShaded(cr, colour, fx, fy, 2.4);
        StrokeOutline(cr, 0.6);
    }
}

void Flowers(cairo_t* cr, const Prop& p) {
    Random random(static_cast<uint32_t>(p.Number("seed", 1)));
    const double x0 = p.Number("x0", 0);
    const double x1 = p.Number("x1", 200);
    const double y0 = p.Number("y0", 300);
    const double y1 = p.Number("y1", 320);
    const int count = static_cast<int>(p.Number("count", 20));
    const double size = p.Number("size", 3);
    if (p.Number("bed", 0) != 0) {
        // A bed of dark soil under the flowers.
        Ellipse(cr, (x0 + x1) / 2, (y0 + y1) / 2 + size * 2, (x1 - x0) / 2 + 8,
                (y1 - y0) / 2 + size * 2);
        FillVertical(cr, Palette::kSoil, Palette::kSoil.Darker(0.3), y0, y1 + size * 4);
        StrokeOutline(cr, 1.3);
        for (int i = 0; i < count; ++i) {
            const double ty = random.Range(y0, y1);
            const double tx = random.Range(x0, x1);
            Tuft(cr, tx, ty + size * 3, size * 0.5, Palette::kLeaf);
        }
    }
    for (int i = 0; i < count; ++i) {
        const int colour = random.Below(5);
        const double scale = random.Range(0.8, 1.2);
        const double fy = random.Range(y0, y1);
        const double fx = random.Range(x0, x1);
        Flower(cr, fx, fy, size * scale, kFlowerColours[colour]);
    }
}

void Reeds(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double h = p.Number("h", 50);
    const int count = static_cast<int>(p.Number("count", 6));
    Random random(static_cast<uint32_t>(p.Number("seed", 4)));
    for (int i = 0; i < count; ++i) {
        const double rx = x + i * 6 + random.Range(-2, 2);
        const double rh = h * random.Range(0.7, 1.1);
        const double lean = random.Range(-8, 8);
        cairo_move_to(cr, rx, y);
        cairo_curve_to(cr, rx, y - rh * 0.5, rx + lean * 0.5, y - rh * 0.8, rx + lean, y - rh);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke_preserve(cr);
        SetColor(cr, Palette::kLeaf);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        if (i % 2 == 0) {
            const double cx = rx + lean * 0.85;
            const double cy = y - rh * 0.85;
            RoundedRect(cr, cx - 2.5, cy - 6, 5, 12, 2.5);
            FillShaded(cr, Palette::kWoodDark, cx, cy, 6);
            StrokeOutline(cr, 1);
        }
    }
}

void LilyPads(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 340);
    const double r = p.Number("r", 14);
    const double slit = p.Number("turn", 0.4);
    // A round leaf with a notch, seen flat on the water.
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 0.42);
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, r, slit + 0.35, slit + 2 * M_PI - 0.35);
    cairo_close_path(cr);
    cairo_restore(cr);
    FillShaded(cr, Hex(0x5cc23a), x, y, r);
    StrokeOutline(cr, 1.3);
    if (p.Number("bloom", 0) != 0) {
        for (int i = 0; i < 6; ++i) {
            const double a = i * M_PI / 3;
            cairo_save(cr);
            cairo_translate(cr, x - r * 0.2, y - 3);
            cairo_rotate(cr, a);
            Ellipse(cr, 3.5, 0, 4, 1.8);
            cairo_restore(cr);
            FillShaded(cr, Palette::kFlowerPink.Lighter(0.3), x, y - 3, 5);
            StrokeOutline(cr, 0.7);
        }
        cairo_arc(cr, x - r * 0.2, y - 3, 1.8, 0, 2 * M_PI);
        SetColor(cr, Palette::kFlowerYellow);
        cairo_fill(cr);
    }
}

void Mushrooms(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double s = p.Number("s", 1);
    const int count = static_cast<int>(p.Number("count", 3));
    Random random(static_cast<uint32_t>(p.Number("seed", 6)));
    for (int i = 0; i < count; ++i) {
        const double mx = x + i * 14 * s;
        const double ms = s * random.Range(0.7, 1.1);
        RoundedRect(cr, mx - 3 * ms, y - 12 * ms, 6 * ms, 12 * ms, 2 * ms);
        FillShaded(cr, Palette::kWallCream, mx, y - 6 * ms, 6 * ms);
        StrokeOutline(cr, 1.1);
        cairo_move_to(cr, mx - 10 * ms, y - 10 * ms);
        cairo_curve_to(cr, mx - 10 * ms, y - 24 * ms, mx + 10 * ms, y - 24 * ms, mx + 10 * ms,
                       y - 10 * ms);
        cairo_close_path(cr);
        FillShaded(cr, Palette::kFlowerRed, mx, y - 16 * ms, 10 * ms);
        StrokeOutline(cr, 1.2);
        for (int k = 0; k < 3; ++k) {
            cairo_arc(cr, mx - 5 * ms + k * 5 * ms, y - 16 * ms + (k % 2) * 3 * ms, 1.5 * ms, 0,
                      2 * M_PI);
            SetColor(cr, Palette::kWhite);
            cairo_fill(cr);
        }
    }
}

void Fern(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double size = p.Number("size", 30);
    for (int f = -2; f <= 2; ++f) {
        const double a = -M_PI / 2 + f * 0.45;
        const double ex = x + size * std::cos(a);
        const double ey = y + size * std::sin(a) * 0.9;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x, y - size * 0.3, ex - (ex - x) * 0.2, ey, ex, ey + 4);
        SetColor(cr, Palette::kLeafDark);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        for (int k = 1; k <= 6; ++k) {
            const double t = k / 7.0;
            const double lx = x + (ex - x) * t;
            const double ly = y + (ey - y) * t - std::sin(t * M_PI) * size * 0.1;
            for (double side : {-1.0, 1.0}) {
                cairo_save(cr);
                cairo_translate(cr, lx, ly);
                cairo_rotate(cr, a + side * 1.1);
                Ellipse(cr, size * 0.08 * (1.2 - t), 0, size * 0.1 * (1.2 - t), 1.6);
                cairo_restore(cr);
                SetColor(cr, Palette::kLeaf.Mix(Palette::kLeafLight, t));
                cairo_fill(cr);
            }
        }
    }
}

void Stump(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double w = p.Number("w", 40);
    const double h = p.Number("h", 30);
    auto body = [=](cairo_t* c) {
        cairo_move_to(c, x - w / 2 - 6, y);
        cairo_curve_to(c, x - w / 2, y - 4, x - w / 2, y - h * 0.5, x - w / 2, y - h);
        cairo_line_to(c, x + w / 2, y - h);
        cairo_curve_to(c, x + w / 2, y - h * 0.5, x + w / 2, y - 4, x + w / 2 + 6, y);
        cairo_close_path(c);
    };
    SoftShadow(cr, body, 4, 2, 3, 0.35);
    body(cr);
    FillShaded(cr, Palette::kBark, x - w * 0.2, y - h * 0.6, w);
    StrokeOutline(cr, 1.6);
    Ellipse(cr, x, y - h, w / 2, w / 7);
    FillShaded(cr, Palette::kWoodLight, x, y - h, w / 2, 0.5);
    StrokeOutline(cr, 1.4);
    for (double r : {0.6, 0.35}) {
        Ellipse(cr, x, y - h, w / 2 * r, w / 7 * r);
    }
    SetColor(cr, Palette::kWood, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (p.Number("hole", 0) != 0) {
        Ellipse(cr, x + w * 0.05, y - h * 0.35, w * 0.16, h * 0.22);
        SetColor(cr, Palette::kOutline.Darker(0.4));
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1);
    }
    // Moss on the shady side.
    Ellipse(cr, x + w * 0.3, y - h * 0.2, w * 0.22, h * 0.18);
    SetColor(cr, Palette::kLeaf, 0.8);
    cairo_fill(cr);
}

void Log(cairo_t* cr, const Prop& p) {
    const double x = p.Number("x", 100);
    const double y = p.Number("y", 380);
    const double w = p.Number("w", 90);
    const double r = p.Number("r", 11);
    auto body = [=](cairo_t* c) { RoundedRect(c, x, y - 2 * r, w, 2 * r, r * 0.4); };
    SoftShadow(cr, body, 3, 3, 3, 0.35);
    body(cr);
    FillVertical(cr, Palette::kBark.Lighter(0.15), Palette::kBarkDark, y - 2 * r, y);
    StrokeOutline(cr, 1.5);
    Ellipse(cr, x + w, y - r, r * 0.55, r);
    FillShaded(cr, Palette::kWoodLight, x + w, y - r, r, 0.4);
    StrokeOutline(cr, 1.3);
    Ellipse(cr, x + w, y - r, r * 0.25, r * 0.45);
    SetColor(cr, Palette::kWood);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace

void AddLandProps(std::map<std::string, PropPainter>& out) {
    out["hills"] = Hills;
    out["meadow"] = Meadow;
    out["path"] = Path;
    out["water"] = Water;
    out["pines"] = Pines;
    out["pine"] = Pine;
    out["mountains"] = Mountains;
    out["rocks"] = Rocks;
    out["bush"] = Bush;
    out["flowers"] = Flowers;
    out["reeds"] = Reeds;
    out["lilypad"] = LilyPads;
    out["mushrooms"] = Mushrooms;
    out["fern"] = Fern;
    out["stump"] = Stump;
    out["log"] = Log;
}

} // namespace Vuro::AssetGen
