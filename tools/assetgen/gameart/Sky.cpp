#include "tools/assetgen/gameart/Sky.h"
#include "game/rules/FieldGeometry.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

constexpr double kStripWidth = kFieldWidth; // a cloud strip spans the field
// The statistics screen lays the sky side by side from x -188 and again from x 320, so the
// halves meet only if the picture repeats every 508 pixels across.
constexpr double kSkyRepeat = 508;

void SkyGradient(cairo_t* cr, int width, int height, const Rgb& top, const Rgb& horizon) {
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(sky, 0, top.r, top.g, top.b);
    const Rgb middle = top.Mix(horizon, 0.55);
    cairo_pattern_add_color_stop_rgb(sky, 0.45, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(sky, 0.75, horizon.r, horizon.g, horizon.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, horizon.r, horizon.g, horizon.b);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
}

// The glow low over the horizon, drawn once more a repeat to either side, so that the picture
// repeats every kSkyRepeat pixels across.
void HorizonGlow(cairo_t* cr, double y, double radius, const Rgb& colour, double alpha) {
    for (double wrap : {-kSkyRepeat, 0.0, kSkyRepeat}) {
        Glow(cr, kFieldWidth / 2.0 + wrap, y, radius, colour, alpha);
    }
}

void Face(cairo_t* cr, double cx, double cy, double r, bool sleepy) {
    for (double side : {-1.0, 1.0}) {
        const double ex = cx + side * r * 0.32;
        const double ey = cy - r * 0.12;
        if (sleepy) {
            cairo_arc(cr, ex, ey, r * 0.1, 0.2, M_PI - 0.2);
            SetColor(cr, Palette::kOutline);
            cairo_set_line_width(cr, 1.8);
            cairo_stroke(cr);
        } else {
            Ellipse(cr, ex, ey, r * 0.08, r * 0.12);
            SetColor(cr, Palette::kOutline);
            cairo_fill(cr);
        }
        Ellipse(cr, cx + side * r * 0.5, cy + r * 0.18, r * 0.13, r * 0.08);
        SetColor(cr, Palette::kFlowerPink, 0.55);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy + r * 0.1, r * 0.3, 0.35, M_PI - 0.35);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

} // namespace

void PaintCloud(cairo_t* cr, double x, double y, double width, const Rgb& light, const Rgb& shade,
                double alpha) {
    const double s = width / 100.0;
    auto shape = [x, y, s](cairo_t* c) {
        const double puffs[][3] = {{-36, -12, 14}, {-18, -22, 20}, {6, -28, 24},
                                   {28, -18, 18},  {42, -10, 11},  {0, -10, 16}};
        for (const auto& p : puffs) {
            cairo_new_sub_path(c);
            cairo_arc(c, x + p[0] * s, y + p[1] * s, p[2] * s, 0, 2 * M_PI);
            cairo_close_path(c);
        }
        RoundedRect(c, x - 46 * s, y - 14 * s, 92 * s, 14 * s, 7 * s);
    };
    cairo_push_group(cr);
    OutlineBehind(cr, shape, 1.1);
    shape(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y - 50 * s, 0, y);
    cairo_pattern_add_color_stop_rgb(fill, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(fill, 0.55, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, shade.r, shade.g, shade.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void PaintDayBackground(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        SkyGradient(cr, kFieldWidth, kFieldHeight, Palette::kSkyTop, Palette::kSkyHorizon);
        HorizonGlow(cr, 420, 380, Palette::kSunGlow, 0.35);
    });
}

void PaintNightBackground(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        SkyGradient(cr, kFieldWidth, kFieldHeight, Palette::kNightTop, Palette::kNightHorizon);
        HorizonGlow(cr, 460, 340, Hex(0x8a7ad0), 0.3);
    });
}

void PaintCloudStrip(Sheet& sheet, bool night) {
    sheet.DrawCel(0, [night](cairo_t* cr) {
        const Rgb light = night ? Palette::kNightCloud : Palette::kCloud;
        const Rgb shade = night ? Palette::kNightCloud.Darker(0.3) : Palette::kCloudShade;
        const double alpha = night ? 0.75 : 0.95;
        // x, bottom, width; each cloud is drawn once more a strip's width to either side, so
        // that the strip joins itself when two copies scroll side by side.
        const double clouds[][3] = {{70, 70, 120},  {250, 48, 80},  {400, 95, 150},
                                    {575, 60, 110}, {170, 150, 70}, {520, 170, 60}};
        for (const auto& c : clouds) {
            for (double wrap : {-kStripWidth, 0.0, kStripWidth}) {
                PaintCloud(cr, c[0] + wrap, c[1], c[2], light, shade, alpha);
            }
        }
    });
}

void PaintSun(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double c = 66.5;
        Glow(cr, c, c, 66, Palette::kSunGlow, 0.8);
        // Rays, turned half a ray between cels.
        cairo_new_path(cr);
        for (int k = 0; k < 12; ++k) {
            const double a = (k + i * 0.5) * M_PI / 6;
            cairo_move_to(cr, c + 36 * std::cos(a - 0.12), c + 36 * std::sin(a - 0.12));
            cairo_line_to(cr, c + (k % 2 == 0 ? 60 : 52) * std::cos(a),
                          c + (k % 2 == 0 ? 60 : 52) * std::sin(a));
            cairo_line_to(cr, c + 36 * std::cos(a + 0.12), c + 36 * std::sin(a + 0.12));
            cairo_close_path(cr);
        }
        SetColor(cr, Palette::kSun.Mix(Palette::kOrange, 0.3));
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1.5);
        cairo_arc(cr, c, c, 38, 0, 2 * M_PI);
        FillShaded(cr, Palette::kSun, c, c, 38, 0.8);
        StrokeOutline(cr, 2);
        Face(cr, c, c, 38, false);
    });
}

void PaintMoon(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double c = 66.5;
        Glow(cr, c, c, 64, Palette::kMoon, i == 0 ? 0.45 : 0.3);
        cairo_arc(cr, c, c, 36, 0, 2 * M_PI);
        FillShaded(cr, Palette::kMoon, c, c, 36, 0.6);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        const double craters[][3] = {{50, 48, 6}, {78, 82, 8}, {58, 88, 4}, {86, 52, 4}};
        for (const auto& k : craters) {
            Ellipse(cr, k[0], k[1], k[2], k[2] * 0.85);
            SetColor(cr, Palette::kMoon.Darker(0.2), 0.5);
            cairo_fill(cr);
        }
        cairo_restore(cr);
        StrokeOutline(cr, 2);
        Face(cr, c, c + 4, 36, true);
    });
}

void PaintStars(Sheet& sheet) {
    // The same stars in every cel; each twinkles big in one cel of three.
    sheet.DrawEach([](cairo_t* cr, int i) {
        Random random(2024);
        for (int k = 0; k < 110; ++k) {
            const double x = random.Range(4, 606);
            const double reach = random.Range(4, 256);
            const double squash = random.Range(0.45, 1.0);
            const double y = reach * squash;
            const bool big = k % 3 == i;
            const double r = (k % 7 == 0 ? 3.6 : 2.2) * (big ? 1.4 : 0.85);
            cairo_new_path(cr);
            for (int p = 0; p < 8; ++p) {
                const double a = p * M_PI / 4;
                const double d = p % 2 == 0 ? r : r * 0.38;
                cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a));
            }
            cairo_close_path(cr);
            SetColor(cr, Palette::kStar);
            cairo_fill(cr);
        }
    });
}

} // namespace Vuro::AssetGen
