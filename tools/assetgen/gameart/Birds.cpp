#include "tools/assetgen/gameart/Birds.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

enum class BirdMood { Flying, Hit, Stunned };

struct BirdLook {
    Rgb body;
    Rgb belly;
    Rgb wing;
    Rgb beak;
    double scale;  // of the standard 62 x 44 bird
    int celWidth;  // of the flying strip
    int flapCount; // cels per direction
    int flashX;    // where the stunned picture puts the bird
    int flashY;
    Rgb spark;
};

BirdLook LookOf(int kind) {
    switch (kind) {
    case 1:
        return {Palette::kBirdBlack,
                Hex(0x6a6a7a),
                Hex(0x2a2a36),
                Palette::kFlowerYellow,
                1.06,
                66,
                4,
                6,
                9,
                Hex(0xffe66a)};
    case 2:
        return {Palette::kBirdWhite, Hex(0xfff6e0), Hex(0xdfe4ea), Palette::kBeak, 1.0, 62, 5, 5, 8,
                Hex(0x9fe8ff)};
    case 3:
        return {Palette::kKamikaze, Hex(0xffd0a0), Hex(0xb8381e), Hex(0xffc23a), 1.0, 80, 2, 17, 0,
                Hex(0xffa0ff)};
    default:
        return {Palette::kBirdBlue, Hex(0xdff2ff), Hex(0x2a66c0), Palette::kBeak, 1.0, 62, 5, 5, 8,
                Palette::kElectric};
    }
}

// Wing angles of a flap, from the top of the stroke down and back.
double FlapAngle(int frame, int count) {
    static constexpr double kFive[] = {0.95, 0.45, -0.1, -0.6, 0.2};
    static constexpr double kFour[] = {0.85, 0.2, -0.5, 0.0};
    static constexpr double kTwo[] = {0.5, -0.3};
    if (count == 5) {
        return kFive[frame % 5];
    }
    if (count == 4) {
        return kFour[frame % 4];
    }
    return kTwo[frame % 2];
}

void WingPath(cairo_t* cr, double length) {
    // Pointing backward from the shoulder, feathered trailing edge.
    cairo_move_to(cr, 4, -3);
    cairo_curve_to(cr, -length * 0.4, -7, -length * 0.85, -5, -length, 1);
    cairo_line_to(cr, -length * 0.78, 2);
    cairo_line_to(cr, -length * 0.8, 5);
    cairo_line_to(cr, -length * 0.56, 4);
    cairo_line_to(cr, -length * 0.55, 7);
    cairo_line_to(cr, -length * 0.3, 5);
    cairo_curve_to(cr, -length * 0.1, 6, 2, 5, 4, -3);
    cairo_close_path(cr);
}

void Wing(cairo_t* cr, const BirdLook& look, double sx, double sy, double angle, double length) {
    cairo_save(cr);
    cairo_translate(cr, sx, sy);
    cairo_rotate(cr, angle);
    WingPath(cr, length);
    FillShaded(cr, look.wing, -length * 0.4, -2, length * 0.6);
    StrokeOutline(cr, 1.3);
    // Feather lines
    for (int i = 1; i <= 2; ++i) {
        cairo_move_to(cr, -length * 0.2, 0);
        cairo_line_to(cr, -length * (0.35 + 0.22 * i), 1.5 + i);
    }
    SetColor(cr, look.wing.Darker(0.4), 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Eye(cairo_t* cr, double x, double y, BirdMood mood) {
    if (mood == BirdMood::Flying) {
        Ellipse(cr, x, y, 3.3, 3.6);
        SetColor(cr, Palette::kWhite);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 0.9);
        Ellipse(cr, x + 1, y + 0.4, 1.8, 2.1);
        SetColor(cr, Palette::kOutline.Darker(0.5));
        cairo_fill(cr);
        Ellipse(cr, x + 0.4, y - 0.6, 0.7, 0.7);
        SetColor(cr, Palette::kWhite);
        cairo_fill(cr);
        return;
    }
    if (mood == BirdMood::Hit) {
        // Dazed: a spiral.
        cairo_new_path(cr);
        for (int i = 0; i <= 24; ++i) {
            const double a = i * 0.55;
            const double r = 0.3 + i * 0.13;
            cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
        }
    } else {
        cairo_move_to(cr, x - 2.4, y - 2.4);
        cairo_line_to(cr, x + 2.4, y + 2.4);
        cairo_move_to(cr, x + 2.4, y - 2.4);
        cairo_line_to(cr, x - 2.4, y + 2.4);
    }
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The bird stands in the middle of its box's bottom at this share of the box. The box is the
// bird's reach on the field; the statistics screen stacks the birds at full size 33 to 47
// pixels apart beside their counters, where a bird that filled its box would cover the one
// below, the title board above and come within a few pixels of the counters' figures.
constexpr double kBirdInBox = 0.75;

// The standard bird, facing right, in a 62 x 44 box; the kamikaze bird in an 80 x 40 box.
void DrawBird(cairo_t* cr, int kind, double wingAngle, BirdMood mood) {
    const BirdLook look = LookOf(kind);
    const bool kamikaze = kind == 3;
    cairo_save(cr);
    cairo_scale(cr, look.scale, look.scale);
    const double boxMiddle = kamikaze ? 40 : 31;
    const double boxBottom = kamikaze ? 40 : 44;
    cairo_translate(cr, boxMiddle, boxBottom);
    cairo_scale(cr, kBirdInBox, kBirdInBox);
    cairo_translate(cr, -boxMiddle, -boxBottom);
    const double bodyX = kamikaze ? 38 : 27;
    const double bodyY = kamikaze ? 24 : 25;
    const double bodyRx = kamikaze ? 25 : 17;
    const double bodyRy = kamikaze ? 9.5 : 12;
    const double headX = kamikaze ? 64 : 44;
    const double headY = kamikaze ? 15 : 17;
    const double headR = kamikaze ? 8.5 : 10;
    auto silhouette = [&](cairo_t* c) {
        Ellipse(c, bodyX, bodyY, bodyRx, bodyRy);
        cairo_arc(c, headX, headY, headR, 0, 2 * M_PI);
        cairo_close_path(c);
    };
    SoftShadow(cr, silhouette, 2, 3, 2.5, 0.25);
    // Far wing, darker, behind the body.
    Wing(cr,
         {look.wing.Darker(0.25), look.belly, look.wing.Darker(0.25), look.beak, 1, 0, 0, 0, 0,
          look.spark},
         bodyX + 4, bodyY - 5, wingAngle + 0.35, kamikaze ? 22 : 19);
    // Tail
    const double tailX = bodyX - bodyRx + 3;
    cairo_move_to(cr, tailX, bodyY - 3);
    cairo_line_to(cr, tailX - (kamikaze ? 14 : 13), bodyY - (kamikaze ? 9 : 11));
    cairo_line_to(cr, tailX - (kamikaze ? 10 : 10), bodyY - 1);
    cairo_line_to(cr, tailX - (kamikaze ? 15 : 14), bodyY + 6);
    cairo_line_to(cr, tailX + 2, bodyY + 4);
    cairo_close_path(cr);
    FillShaded(cr, look.wing, tailX - 6, bodyY, 10);
    StrokeOutline(cr, 1.3);
    // Body, belly and head.
    Ellipse(cr, bodyX, bodyY, bodyRx, bodyRy);
    FillShaded(cr, look.body, bodyX, bodyY, bodyRx);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    Ellipse(cr, bodyX + 4, bodyY + bodyRy * 0.55, bodyRx * 0.75, bodyRy * 0.6);
    SetColor(cr, look.belly, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeOutline(cr, 1.4);
    if (!kamikaze) {
        // Tucked feet
        cairo_move_to(cr, bodyX - 2, bodyY + bodyRy - 1);
        cairo_line_to(cr, bodyX - 5, bodyY + bodyRy + 4);
        cairo_move_to(cr, bodyX + 4, bodyY + bodyRy - 1);
        cairo_line_to(cr, bodyX + 2, bodyY + bodyRy + 4);
        SetColor(cr, Palette::kBeak.Darker(0.2));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    cairo_arc(cr, headX, headY, headR, 0, 2 * M_PI);
    FillShaded(cr, look.body, headX, headY, headR);
    StrokeOutline(cr, 1.4);
    if (kind == 1) {
        // A ruffled crest for the black bird.
        cairo_move_to(cr, headX - 6, headY - 7);
        cairo_line_to(cr, headX - 9, headY - 14);
        cairo_line_to(cr, headX - 3, headY - 9);
        cairo_line_to(cr, headX - 3, headY - 15);
        cairo_line_to(cr, headX + 1, headY - 9);
        cairo_close_path(cr);
        FillShaded(cr, look.body, headX - 4, headY - 11, 5);
        StrokeOutline(cr, 1);
    }
    // Beak: its tip sets the height at which the bird takes fruit.
    const double beakX = headX + headR - 2;
    const double beakY = kamikaze ? 10 : 19;
    cairo_move_to(cr, beakX, beakY - 5);
    cairo_line_to(cr, beakX + (kamikaze ? 7.5 : 8.5), beakY);
    cairo_line_to(cr, beakX, beakY + 3);
    cairo_close_path(cr);
    FillShaded(cr, look.beak, beakX + 2, beakY - 2, 5);
    StrokeOutline(cr, 1.1);
    Eye(cr, headX + 2.5, headY - 2.5, mood);
    if (kamikaze) {
        // Flying goggles and a scarf: the bird that dives at fruit.
        cairo_move_to(cr, headX - headR, headY - 3);
        cairo_line_to(cr, headX + headR - 1, headY - 5);
        SetColor(cr, Palette::kWoodDark);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        Ellipse(cr, headX + 2.5, headY - 3, 4.2, 3.6);
        SetColor(cr, Palette::kWaterLight, 0.55);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1.5);
        cairo_move_to(cr, headX - 6, headY + 6);
        cairo_curve_to(cr, headX - 14, headY + 4, headX - 22, headY + 8, headX - 30, headY + 2);
        cairo_line_to(cr, headX - 28, headY + 8);
        cairo_curve_to(cr, headX - 20, headY + 12, headX - 12, headY + 10, headX - 4, headY + 10);
        cairo_close_path(cr);
        FillShaded(cr, Palette::kWhite, headX - 16, headY + 6, 10);
        StrokeOutline(cr, 1);
    }
    // Near wing over the body.
    Wing(cr, look, bodyX + 2, bodyY - 3, wingAngle, kamikaze ? 26 : 22);
    cairo_restore(cr);
}

void Zap(cairo_t* cr, const Rgb& colour, Random& random, double cx, double cy, double radius) {
    for (int i = 0; i < 6; ++i) {
        const double a = random.Range(0, 2 * M_PI);
        double x = cx + radius * 0.5 * std::cos(a);
        double y = cy + radius * 0.5 * std::sin(a);
        cairo_move_to(cr, x, y);
        for (int k = 0; k < 3; ++k) {
            x += radius * 0.2 * std::cos(a) + random.Range(-4, 4);
            y += radius * 0.2 * std::sin(a) + random.Range(-4, 4);
            cairo_line_to(cr, x, y);
        }
    }
    StrokeGlowing(cr, colour, 1.4);
}

} // namespace

void PaintBird(cairo_t* cr, int kind, double x, double y, double wingAngle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    DrawBird(cr, kind, wingAngle, BirdMood::Flying);
    cairo_restore(cr);
}

void PaintBirdFlight(Sheet& sheet, int kind) {
    const BirdLook look = LookOf(kind);
    sheet.DrawEach([&](cairo_t* cr, int i) {
        if (i >= look.flapCount) {
            MirrorX(cr, look.celWidth);
        }
        DrawBird(cr, kind, FlapAngle(i % look.flapCount, look.flapCount), BirdMood::Flying);
    });
}

void PaintBirdShot(Sheet& sheet, int kind) {
    const BirdLook look = LookOf(kind);
    sheet.DrawEach([&](cairo_t* cr, int i) {
        if (i == 1) {
            MirrorX(cr, look.celWidth);
        }
        // Tipped over with the wings thrown up, losing a feather or two.
        cairo_save(cr);
        cairo_translate(cr, look.celWidth / 2.0, 22);
        cairo_rotate(cr, 0.3);
        cairo_translate(cr, -look.celWidth / 2.0, -22);
        DrawBird(cr, kind, 1.1, BirdMood::Hit);
        cairo_restore(cr);
        for (int k = 0; k < 2; ++k) {
            cairo_save(cr);
            cairo_translate(cr, 8 + k * 36, 6 + k * 28);
            cairo_rotate(cr, 0.8 - k * 1.4);
            Ellipse(cr, 0, 0, 5, 1.8);
            cairo_restore(cr);
            FillShaded(cr, look.wing, 8 + k * 36, 6 + k * 28, 5);
            StrokeOutline(cr, 0.8);
        }
    });
}

void PaintBirdFlash(Sheet& sheet, int kind) {
    const BirdLook look = LookOf(kind);
    // Mirrored about its middle, so the bird keeps its place when it faces left.
    const int celWidth = 2 * look.flashX + look.celWidth;
    sheet.DrawEach([&](cairo_t* cr, int i) {
        Random random(97 + i * 13 + kind * 7);
        if (i >= 4) {
            MirrorX(cr, celWidth);
        }
        const double cx = look.flashX + look.celWidth / 2.0;
        const double cy = look.flashY + 28; // the middle of the bird as it stands in its box
        // A glow behind the bird, brighter on every other cel.
        Glow(cr, cx, cy, 34, look.spark, i % 2 == 0 ? 0.75 : 0.45);
        cairo_save(cr);
        cairo_translate(cr, look.flashX, look.flashY);
        DrawBird(cr, kind, i % 2 == 0 ? 0.9 : -0.4, BirdMood::Stunned);
        cairo_restore(cr);
        Zap(cr, look.spark, random, cx, cy, 40);
    });
}

} // namespace Vuro::AssetGen
