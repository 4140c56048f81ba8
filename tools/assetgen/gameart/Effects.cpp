#include "tools/assetgen/gameart/Effects.h"

#include "tools/assetgen/gameart/Helpers.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

void BoltPath(cairo_t* cr, Random& random, double x, double y, double bottom, double swing) {
    cairo_move_to(cr, x, y);
    while (y < bottom) {
        y += random.Range(22, 40);
        x += random.Range(-swing, swing);
        cairo_line_to(cr, x, std::min(y, bottom));
    }
}

} // namespace

void PaintSmoke(Sheet& sheet) {
    // A puff that swells and thins out over the strip.
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double t = i / 7.0;
        PaintPuff(cr, 18, 18 - 4 * t, 7 + 8 * t, 1.0 - 0.7 * t);
        if (i > 2) {
            PaintPuff(cr, 9 + t * 2, 10 - 4 * t, 3 + 3 * t, 0.8 - 0.6 * t);
        }
    });
}

void PaintShotFlash(Sheet& sheet) {
    // The stone strikes: a burst that opens over five cels; the second row is the same burst
    // turned, for variety.
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double t = (i % 5) / 4.0;
        const double turn = i >= 5 ? 0.3 : 0;
        const double cx = 60;
        const double cy = 52;
        Glow(cr, cx, cy, 20 + 28 * t, Palette::kSunGlow, 0.8 * (1 - t * 0.7));
        cairo_new_path(cr);
        StarPath(cr, cx, cy, 16 + 22 * t, 7 + 8 * t, 8, turn + t * 0.3);
        SetColor(cr, Palette::kFlowerYellow, 1 - 0.6 * t);
        cairo_fill_preserve(cr);
        SetColor(cr, Palette::kOutline, 1 - 0.6 * t);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        StarPath(cr, cx, cy, 8 + 12 * t, 4 + 4 * t, 8, turn + 0.4 + t * 0.3);
        SetColor(cr, Palette::kWhite, 1 - 0.7 * t);
        cairo_fill(cr);
        // Feathers flying off.
        for (int k = 0; k < 5; ++k) {
            const double a = turn + k * 2 * M_PI / 5 + 0.4;
            const double d = 14 + 34 * t;
            cairo_save(cr);
            cairo_translate(cr, cx + d * std::cos(a), cy + d * std::sin(a) + 10 * t * t);
            cairo_rotate(cr, a + t * 2);
            Ellipse(cr, 0, 0, 5, 2);
            cairo_restore(cr);
            SetColor(cr, Palette::kWhite, 1 - 0.5 * t);
            cairo_fill_preserve(cr);
            SetColor(cr, Palette::kOutline, 1 - 0.5 * t);
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
        }
    });
}

void PaintMagicShot(Sheet& sheet) {
    // Sparkles whirling around the helper that a bonus calls up.
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double t = (i % 5) / 5.0;
        const Rgb colour = i >= 5 ? Palette::kFlowerPink : Palette::kElectric;
        Glow(cr, 40, 32, 30, colour, 0.35);
        for (int k = 0; k < 8; ++k) {
            const double a = t * 2 * M_PI / 4 + k * 2 * M_PI / 8;
            const double r = 18 + 8 * std::sin(k * 1.3 + t * 6);
            const double x = 40 + r * 1.3 * std::cos(a);
            const double y = 32 + r * std::sin(a);
            const double size = k % 2 == 0 ? 5 : 3.2;
            Glow(cr, x, y, size * 2, colour, 0.7);
            StarPath(cr, x, y, size, size * 0.3, 4, a);
            SetColor(cr, Palette::kWhite);
            cairo_fill(cr);
        }
    });
}

void PaintLightning(Sheet& sheet) {
    // Eight flickers of a bolt from the top of the field to the ground.
    sheet.DrawEach([](cairo_t* cr, int i) {
        Random random(400 + i * 17);
        const double strength = i % 3 == 2 ? 0.55 : 1.0;
        BoltPath(cr, random, random.Range(45, 65), 0, 410, 22);
        Random branch(900 + i);
        const double by = branch.Range(120, 260);
        const double bx = branch.Range(35, 75);
        BoltPath(cr, branch, bx, by, by + branch.Range(60, 110), 18);
        cairo_set_line_width(cr, 10);
        SetColor(cr, Palette::kElectric, 0.35 * strength);
        cairo_stroke_preserve(cr);
        StrokeGlowing(cr, Palette::kLightning, 2.2, strength);
    });
}

void PaintRainCloud(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        auto cloud = [](cairo_t* c) {
            const double puffs[][3] = {{40, 55, 26},  {80, 38, 32},  {128, 30, 36}, {172, 40, 30},
                                       {208, 56, 26}, {120, 60, 30}, {70, 62, 22},  {170, 64, 22}};
            for (const auto& p : puffs) {
                cairo_new_sub_path(c);
                cairo_arc(c, p[0], p[1], p[2], 0, 2 * M_PI);
                cairo_close_path(c);
            }
        };
        SoftShadow(cr, cloud, 3, 4, 4, 0.3);
        OutlineBehind(cr, cloud);
        cloud(cr);
        FillVertical(cr, Hex(0xa8b2c8), Hex(0x5a6482), 0, 88);
        cairo_new_path(cr);
        const double lights[][3] = {{80, 34, 22}, {124, 24, 24}, {40, 50, 14}};
        for (const auto& l : lights) {
            Glow(cr, l[0], l[1], l[2], Hex(0xd8e0ee), 0.6);
        }
    });
}

void PaintRain(Sheet& sheet) {
    // Streaks that fall a third of a cel between cels; a cel repeats below itself.
    sheet.DrawEach([](cairo_t* cr, int i) {
        Random random(77);
        for (int k = 0; k < 26; ++k) {
            const double x = random.Range(18, 222);
            const double y0 = random.Range(0, 52);
            const double y = std::fmod(y0 + i * 52.0 / 3, 52.0);
            for (double wrap : {0.0, -52.0}) {
                cairo_move_to(cr, x, y + wrap);
                cairo_line_to(cr, x - 2, y + wrap + 9);
            }
        }
        cairo_set_line_width(cr, 1.8);
        SetColor(cr, Palette::kWaterLight, 0.8);
        cairo_stroke(cr);
    });
}

void PaintFruitFly(Sheet& sheet) {
    // Three flies buzzing over a rotting fruit.
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double spots[3][2] = {{6, 6}, {16, 3}, {24, 9}};
        for (int k = 0; k < 3; ++k) {
            const double x = spots[(k + i) % 3][0] + (i == 1 ? 1.5 : 0);
            const double y = spots[(k + i) % 3][1] + (k == i ? 3 : 0);
            Ellipse(cr, x - 1.5, y - 2, 2, 1.4);
            Ellipse(cr, x + 1.5, y - 2, 2, 1.4);
            SetColor(cr, Palette::kWhite);
            cairo_fill(cr);
            Ellipse(cr, x, y, 2, 1.5);
            SetColor(cr, Hex(0x202020));
            cairo_fill(cr);
        }
    });
}

void PaintHouseSmoke(Sheet& sheet) {
    // Puffs rising from the chimney under the strip's bottom middle, a quarter of a rise
    // further every cel.
    sheet.DrawEach([](cairo_t* cr, int i) {
        for (int k = 0; k < 5; ++k) {
            const double t = (k + i / 4.0) / 5.0;
            const double y = 152 - t * 140;
            const double x = 24 + std::sin(t * 5) * 7 * t;
            PaintPuff(cr, x, y, 6 + 12 * t, 0.9 - 0.75 * t);
        }
    });
}

void PaintCityLight(Sheet& sheet) {
    // The beacon on the tower's top: off, glowing, bright, glowing.
    static constexpr double kLevels[] = {0.15, 0.6, 1.0, 0.6};
    sheet.DrawEach([](cairo_t* cr, int i) {
        const double level = kLevels[i];
        Glow(cr, 30, 25, 24, Hex(0xff3a2a), 0.75 * level);
        cairo_arc(cr, 30, 25, 4.5, 0, 2 * M_PI);
        SetColor(cr, Hex(0x8a1a10).Mix(Hex(0xffd0c0), level));
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1.2);
        if (level > 0.9) {
            StarPath(cr, 30, 25, 16, 2, 4);
            SetColor(cr, Palette::kWhite, 0.8);
            cairo_fill(cr);
        }
    });
}

} // namespace Vuro::AssetGen
