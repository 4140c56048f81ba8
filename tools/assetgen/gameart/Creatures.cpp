#include "tools/assetgen/gameart/Creatures.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

enum class HedgehogPose { WalkA, WalkB, SniffDown, SniffUp, Ball };

void SpikyArc(cairo_t* cr, double cx, double cy, double rx, double ry, double from, double to,
              int spikes, double length) {
    for (int i = 0; i <= spikes * 2; ++i) {
        const double a = from + (to - from) * i / (spikes * 2);
        const double k = i % 2 == 1 ? 1 + length / std::max(rx, ry) : 1;
        // Spikes lean backward (toward the tail, the left).
        const double lean = i % 2 == 1 ? -length * 0.5 : 0;
        const double x = cx + rx * k * std::cos(a) + lean;
        const double y = cy + ry * k * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
}

// A hedgehog facing right, feet on y 37 of a 44 x 40 box.
void DrawHedgehog(cairo_t* cr, HedgehogPose pose, bool stunned) {
    SoftShadow(
        cr, [](cairo_t* c) { Ellipse(c, 22, 37, 18, 3.5); }, 1, 1, 2, 0.35);
    if (pose == HedgehogPose::Ball) {
        auto ball = [](cairo_t* c) {
            SpikyArc(c, 21, 23, 12, 12, 0, 2 * M_PI, 14, 5);
            cairo_close_path(c);
        };
        ball(cr);
        FillShaded(cr, Palette::kHedgehog, 21, 23, 16);
        StrokeOutline(cr, 1.4);
        Ellipse(cr, 21, 24, 8, 7);
        FillShaded(cr, Palette::kHedgehog.Darker(0.2), 21, 24, 8);
        SetColor(cr, Palette::kOutline, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Ellipse(cr, 27, 28, 2, 1.6); // the nose peeks out
        SetColor(cr, Palette::kOutline);
        cairo_fill(cr);
        return;
    }
    const double step = pose == HedgehogPose::WalkB ? 3 : 0;
    // Feet
    for (double fx : {11.0 + step, 27.0 - step}) {
        Ellipse(cr, fx, 36, 3.5, 2.3);
        FillShaded(cr, Palette::kHedgehogFace.Darker(0.3), fx, 36, 3.5);
        StrokeOutline(cr, 1);
    }
    // Spiky back
    auto back = [](cairo_t* c) {
        SpikyArc(c, 18, 27, 16, 14, M_PI, 2 * M_PI - 0.35, 9, 6);
        cairo_line_to(c, 30, 33);
        cairo_line_to(c, 5, 33);
        cairo_close_path(c);
    };
    back(cr);
    FillShaded(cr, Palette::kHedgehog, 16, 20, 18);
    StrokeOutline(cr, 1.4);
    // Quill lines
    for (int i = 0; i < 5; ++i) {
        const double a = M_PI + 0.4 + i * 0.45;
        cairo_move_to(cr, 18 + 7 * std::cos(a), 27 + 6 * std::sin(a));
        cairo_line_to(cr, 18 + 13 * std::cos(a) - 3, 27 + 11 * std::sin(a));
    }
    SetColor(cr, Palette::kHedgehog.Lighter(0.4), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Face and snout, lowered or raised when it sniffs.
    const double tilt = pose == HedgehogPose::SniffDown ? 0.35
                        : pose == HedgehogPose::SniffUp ? -0.3
                                                        : 0;
    cairo_save(cr);
    cairo_translate(cr, 28, 28);
    cairo_rotate(cr, tilt);
    cairo_move_to(cr, -6, -8);
    cairo_curve_to(cr, 2, -9, 8, -4, 13, 0);
    cairo_curve_to(cr, 10, 3, 4, 6, -6, 6);
    cairo_close_path(cr);
    FillShaded(cr, Palette::kHedgehogFace, 0, -2, 10);
    StrokeOutline(cr, 1.3);
    Ellipse(cr, 13, -0.3, 2.2, 2);
    SetColor(cr, Palette::kOutline.Darker(0.4));
    cairo_fill(cr);
    if (stunned) {
        cairo_move_to(cr, 1, -5);
        cairo_line_to(cr, 5, -1);
        cairo_move_to(cr, 5, -5);
        cairo_line_to(cr, 1, -1);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    } else {
        Ellipse(cr, 3, -3, 1.6, 1.9);
        SetColor(cr, Palette::kOutline.Darker(0.5));
        cairo_fill(cr);
        Ellipse(cr, 2.6, -3.6, 0.6, 0.6);
        SetColor(cr, Palette::kWhite);
        cairo_fill(cr);
    }
    Ellipse(cr, 5, 2, 2, 1.2);
    SetColor(cr, Palette::kFlowerPink, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
}

HedgehogPose PoseOfColumn(int column) {
    static constexpr HedgehogPose kPoses[] = {HedgehogPose::WalkA, HedgehogPose::WalkB,
                                              HedgehogPose::SniffDown, HedgehogPose::SniffUp,
                                              HedgehogPose::Ball};
    return kPoses[column];
}

// One caterpillar crawling right in a 20 x 20 box, arched on odd steps.
void DrawCaterpillar(cairo_t* cr, bool arched) {
    constexpr int kSegments = 5;
    double xs[kSegments];
    double ys[kSegments];
    for (int i = 0; i < kSegments; ++i) {
        xs[i] = arched ? 3.5 + i * 3.1 : 2.8 + i * 3.5;
        const double lift = arched && (i == 1 || i == 2) ? (i == 1 ? 3 : 3.5) : 0;
        ys[i] = 13 - lift;
    }
    SoftShadow(
        cr, [](cairo_t* c) { Ellipse(c, 10, 16, 9, 1.8); }, 0.5, 0.5, 1, 0.35);
    for (int i = 0; i < kSegments - 1; ++i) {
        cairo_arc(cr, xs[i], ys[i], 3.1, 0, 2 * M_PI);
        FillShaded(cr, Palette::kCaterpillar, xs[i], ys[i], 3.1);
        StrokeOutline(cr, 0.9);
        Ellipse(cr, xs[i] - 0.5, ys[i] - 1.6, 0.9, 0.9);
        SetColor(cr, Palette::kCaterpillarSpot);
        cairo_fill(cr);
    }
    const double hx = xs[kSegments - 1] + 1;
    const double hy = ys[kSegments - 1] - 1.5;
    cairo_move_to(cr, hx - 0.5, hy - 3);
    cairo_line_to(cr, hx - 1.5, hy - 6.5);
    cairo_move_to(cr, hx + 1.5, hy - 3);
    cairo_line_to(cr, hx + 2.5, hy - 6.5);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_arc(cr, hx, hy, 3.6, 0, 2 * M_PI);
    FillShaded(cr, Palette::kCaterpillar.Mix(Palette::kFlowerRed, 0.25), hx, hy, 3.6);
    StrokeOutline(cr, 0.9);
    Ellipse(cr, hx + 1.3, hy - 0.8, 1, 1.1);
    SetColor(cr, Palette::kOutline.Darker(0.5));
    cairo_fill(cr);
}

} // namespace

void PaintHedgehog(Sheet& sheet) {
    // Row 0 faces right; row 1 faces left and is row 0 mirrored in reverse order, so that a
    // pose keeps its column from the far side (walking 3 and 4, rolled up 0).
    sheet.DrawEach([](cairo_t* cr, int i) {
        const int column = i % 5;
        if (i >= 5) {
            MirrorX(cr, 44);
            DrawHedgehog(cr, PoseOfColumn(4 - column), false);
        } else {
            DrawHedgehog(cr, PoseOfColumn(column), false);
        }
    });
}

void PaintHedgehogFlash(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        if (i >= 3) {
            MirrorX(cr, 54);
        }
        Glow(cr, 27, 26, 27, Palette::kElectric, i % 3 == 1 ? 0.45 : 0.75);
        cairo_save(cr);
        cairo_translate(cr, 5, 4 - (i % 3 == 1 ? 2 : 0));
        DrawHedgehog(cr, HedgehogPose::WalkA, true);
        cairo_restore(cr);
        Random random(31 + i);
        for (int k = 0; k < 5; ++k) {
            double x = random.Range(6, 48);
            double y = random.Range(2, 14);
            cairo_move_to(cr, x, y);
            for (int s = 0; s < 3; ++s) {
                x += random.Range(-4, 4);
                y += random.Range(2, 5);
                cairo_line_to(cr, x, y);
            }
        }
        StrokeGlowing(cr, Palette::kElectric, 1.2);
    });
}

void PaintCaterpillar(Sheet& sheet) {
    // 0, 1 crawling left; 2, 3 crawling right; 4, 5 climbing after crawling right; 6, 7
    // climbing after crawling left.
    sheet.DrawEach([](cairo_t* cr, int i) {
        const bool arched = i % 2 == 1;
        const bool faceLeft = i < 2 || i >= 6;
        if (i >= 4) {
            cairo_translate(cr, 10, 10);
            cairo_rotate(cr, -M_PI / 2); // head up
            if (faceLeft) {
                cairo_scale(cr, 1, -1);
            }
            cairo_translate(cr, -10, -10);
        } else if (faceLeft) {
            MirrorX(cr, 20);
        }
        DrawCaterpillar(cr, arched);
    });
}

void PaintFrog(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        const bool croak = i == 1;
        const Rgb green = Hex(0x5fc23a);
        SoftShadow(
            cr, [](cairo_t* c) { Ellipse(c, 20, 41, 16, 3.5); }, 1, 1, 2, 0.35);
        // Back legs and body
        for (double side : {-1.0, 1.0}) {
            Ellipse(cr, 20 + side * 12, 35, 7, 6);
            FillShaded(cr, green.Darker(0.1), 20 + side * 12, 35, 7);
            StrokeOutline(cr, 1.2);
        }
        Ellipse(cr, 20, 29, 13, 12);
        FillShaded(cr, green, 20, 29, 13);
        StrokeOutline(cr, 1.4);
        Ellipse(cr, 20, 33, 8, 7);
        SetColor(cr, Hex(0xe8f0a0), 0.9);
        cairo_fill(cr);
        if (croak) {
            Ellipse(cr, 20, 31, 8, 6.5);
            FillShaded(cr, Hex(0xfff0b0), 20, 31, 8);
            StrokeOutline(cr, 1.1);
        }
        // Front feet
        for (double side : {-1.0, 1.0}) {
            Ellipse(cr, 20 + side * 6, 41, 4, 2);
            FillShaded(cr, green, 20 + side * 6, 41, 4);
            StrokeOutline(cr, 1);
        }
        // Eyes on top of the head
        for (double side : {-1.0, 1.0}) {
            const double ex = 20 + side * 7;
            cairo_arc(cr, ex, 17, 5, 0, 2 * M_PI);
            FillShaded(cr, green, ex, 17, 5);
            StrokeOutline(cr, 1.2);
            cairo_arc(cr, ex, 16.5, 3.2, 0, 2 * M_PI);
            SetColor(cr, Palette::kWhite);
            cairo_fill(cr);
            Ellipse(cr, ex + side * 0.5, 16.8, 1.6, croak ? 0.8 : 2);
            SetColor(cr, Palette::kOutline.Darker(0.5));
            cairo_fill(cr);
        }
        // Mouth: a smile, wide open when it croaks.
        if (croak) {
            Ellipse(cr, 20, 25, 5, 2.2);
            SetColor(cr, Hex(0xb83a4a));
            cairo_fill_preserve(cr);
            StrokeOutline(cr, 1);
        } else {
            cairo_move_to(cr, 13, 24);
            cairo_curve_to(cr, 17, 27, 23, 27, 27, 24);
            SetColor(cr, Palette::kOutline);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    });
}

void PaintBunny(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) {
        const bool twitch = i == 1;
        const Rgb fur = Hex(0xc9a27e);
        SoftShadow(
            cr, [](cairo_t* c) { Ellipse(c, 18, 40, 14, 3); }, 1, 1, 2, 0.35);
        Ellipse(cr, 16, 31, 12, 10);
        FillShaded(cr, fur, 16, 31, 12);
        StrokeOutline(cr, 1.3);
        cairo_arc(cr, 5, 33, 4, 0, 2 * M_PI); // tail
        FillShaded(cr, Palette::kWhite, 5, 33, 4);
        StrokeOutline(cr, 1);
        // Ears: both up, or one folding on the twitch.
        for (int ear = 0; ear < 2; ++ear) {
            cairo_save(cr);
            cairo_translate(cr, 20 + ear * 5, 16);
            cairo_rotate(cr, twitch && ear == 1 ? 0.9 : -0.15 + ear * 0.2);
            Ellipse(cr, 0, -8, 3, 8.5);
            FillShaded(cr, fur, 0, -8, 8);
            StrokeOutline(cr, 1.2);
            Ellipse(cr, 0, -7.5, 1.4, 6);
            SetColor(cr, Palette::kFlowerPink, 0.7);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        cairo_arc(cr, 25, 22, 8, 0, 2 * M_PI);
        FillShaded(cr, fur, 25, 22, 8);
        StrokeOutline(cr, 1.3);
        Ellipse(cr, 27, 20, 1.6, 2);
        SetColor(cr, Palette::kOutline.Darker(0.5));
        cairo_fill(cr);
        Ellipse(cr, 32, twitch ? 22.5 : 23.5, 1.8, 1.4);
        SetColor(cr, Palette::kFlowerPink);
        cairo_fill(cr);
        Ellipse(cr, 19, 40, 4, 2);
        FillShaded(cr, fur.Lighter(0.2), 19, 40, 4);
        StrokeOutline(cr, 1);
    });
}

} // namespace Vuro::AssetGen
