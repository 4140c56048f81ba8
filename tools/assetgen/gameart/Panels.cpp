#include "tools/assetgen/gameart/Panels.h"

#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/art/Text.h"
#include "tools/assetgen/gameart/Fruit.h"
#include "tools/assetgen/gameart/Helpers.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

constexpr int kStripHeight = kFieldHeight - kFieldBottom; // the panel under the field

const Rgb kBoard = Hex(0x6b3f1e);    // dark board under yellow captions
const Rgb kDeepBlue = Hex(0x2a64b4); // buttons under yellow captions
const Rgb kDeepGreen = Hex(0x2f8a2a);

// Grain lines along a plank.
void Grain(cairo_t* cr, double x, double y, double w, double h, unsigned seed, double alpha) {
    Random random(seed);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int i = 0; i < static_cast<int>(h / 5); ++i) {
        const double gy = y + random.Range(0, h);
        cairo_move_to(cr, x, gy);
        for (double gx = x; gx <= x + w; gx += 20) {
            cairo_line_to(cr, gx, gy + std::sin(gx * 0.03 + i) * 1.2);
        }
    }
    SetColor(cr, Palette::kWoodDark.Darker(0.3), alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A wooden frame of `border` pixels around a rounded panel; answers nothing, the caller fills
// the inside.
void WoodFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double border,
               unsigned seed) {
    auto outer = [=](cairo_t* c) { RoundedRect(c, x, y, w, h, radius); };
    SoftShadow(cr, outer, 4, 5, 4, 0.4);
    outer(cr);
    FillVertical(cr, Palette::kWoodLight, Palette::kWood, y, y + h);
    cairo_new_path(cr);
    Grain(cr, x, y, w, h, seed, 0.35);
    outer(cr);
    StrokeOutline(cr, 2);
    RoundedRect(cr, x + border, y + border, w - 2 * border, h - 2 * border,
                std::max(2.0, radius - border * 0.6));
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // A light bevel on the frame's upper left.
    RoundedRect(cr, x + 2, y + 2, w - 4, h - 4, radius - 1);
    SetColor(cr, Palette::kWhite, 0.25);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void Parchment(cairo_t* cr, double x, double y, double w, double h, double radius) {
    RoundedRect(cr, x, y, w, h, radius);
    FillVertical(cr, Palette::kParchment, Palette::kParchment.Mix(Palette::kParchmentDark, 0.5), y,
                 y + h);
    cairo_new_path(cr);
}

void DarkBoard(cairo_t* cr, double x, double y, double w, double h, double radius, unsigned seed) {
    RoundedRect(cr, x, y, w, h, radius);
    FillVertical(cr, kBoard.Lighter(0.08), kBoard.Darker(0.2), y, y + h);
    cairo_new_path(cr);
    Grain(cr, x, y, w, h, seed, 0.4);
}

void Nail(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 3, 0, 2 * M_PI);
    FillShaded(cr, Palette::kMetal, x, y, 3);
    StrokeOutline(cr, 1);
}

// A raised rounded button face of `colour`; `state` 0 normal, 1 over, 2 down. The face stays
// dark enough under every state for the yellow caption: the over state lights a golden rim
// instead of paling the face.
void ButtonFace(cairo_t* cr, double w, double h, const Rgb& colour, int state) {
    const double sink = state == 2 ? 1.5 : 0;
    const Rgb face = state == 1 ? colour.Lighter(0.08) : state == 2 ? colour.Darker(0.15) : colour;
    RoundedRect(cr, 1.5, 1.5 + sink, w - 3, h - 3.5, h * 0.35);
    FillVertical(cr, face.Lighter(0.3), face.Darker(0.2), 1.5, h - 2);
    StrokeOutline(cr, 1.8);
    if (state == 1) {
        RoundedRect(cr, 3.2, 3.2, w - 6.4, h - 6.9, h * 0.3);
        SetColor(cr, Palette::kGold, 0.95);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    RoundedRect(cr, 5, 4.5 + sink, w - 10, (h - 8) * 0.42, h * 0.22);
    SetColor(cr, Palette::kWhite, state == 2 ? 0.12 : state == 1 ? 0.34 : 0.28);
    cairo_fill(cr);
}

void Caption(cairo_t* cr, const char* text, double x, double baseline, double size,
             const Rgb& fill) {
    DrawText(cr, text, x, baseline, {.size = size, .fill = fill, .outline = size / 6});
}

} // namespace

void PaintHelpPanel(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        WoodFrame(cr, 2, 20, 590, 170, 16, 12, 5);
        Parchment(cr, 14, 32, 566, 146, 8);
        // A title tab over the frame.
        DarkBoard(cr, 209, 2, 176, 38, 10, 9);
        RoundedRect(cr, 209, 2, 176, 38, 10);
        StrokeOutline(cr, 2);
        Nail(cr, 222, 21);
        Nail(cr, 372, 21);
        Caption(cr, "Подсказка", 297, 29, 18, Palette::kCaptionYellow);
        // Fruit in the corners of the sheet, above and below the four lines of text (their
        // baselines at 90, 110, 130 and 150 from x 18).
        PaintFruit(cr, 1, FruitLook::Ripe, 546, 40, 1.2);
        PaintFruit(cr, 2, FruitLook::Ripe, 520, 44, 1.0);
        PaintFruit(cr, 4, FruitLook::Ripe, 548, 155, 1.0);
        PaintFruit(cr, 3, FruitLook::Ripe, 526, 157, 0.9);
    });
}

void PaintStatPanel(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        WoodFrame(cr, 2, 2, 494, 364, 18, 12, 3);
        Parchment(cr, 14, 14, 470, 340, 10);
        // Dark boards for the yellow title and sums; the counts stand on the parchment.
        DarkBoard(cr, 30, 48, 438, 44, 8, 21);
        DarkBoard(cr, 30, 244, 438, 62, 8, 22);
        for (double y : {48.0, 244.0}) {
            RoundedRect(cr, 30, y, 438, y == 48 ? 44 : 62, 8);
            StrokeOutline(cr, 1.5);
        }
        for (double x : {40.0, 458.0}) {
            Nail(cr, x, 70);
            Nail(cr, x, 275);
        }
        // Leafy garland along the top.
        Random random(4);
        for (int i = 0; i < 24; ++i) {
            const double x = 30 + i * 19;
            cairo_save(cr);
            cairo_translate(cr, x, 26 + std::sin(i * 0.8) * 3);
            cairo_rotate(cr, random.Range(-0.8, 0.8));
            Ellipse(cr, 0, 0, 7, 3.5);
            cairo_restore(cr);
            FillShaded(cr, Palette::kLeaf, x, 26, 7);
            StrokeOutline(cr, 0.9);
        }
        PaintFruit(cr, 1, FruitLook::Ripe, 20, 14, 1.1);
        PaintFruit(cr, 4, FruitLook::Ripe, 456, 14, 1.1);
    });
}

void PaintDialogFrame(Sheet& sheet) {
    // Cut in nine by thirds: the frame is even along each edge and the middle is one colour,
    // so that edges and middle tile to any dialog size; ornaments sit in the corners.
    sheet.DrawCel(0, [](cairo_t* cr) {
        RoundedRect(cr, 1, 1, 398, 198, 18);
        FillVertical(cr, Palette::kWoodLight, Palette::kWoodLight, 0, 200);
        StrokeOutline(cr, 2);
        RoundedRect(cr, 14, 14, 372, 172, 8);
        SetColor(cr, kBoard);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1.5);
        RoundedRect(cr, 3, 3, 394, 194, 16);
        SetColor(cr, Palette::kWhite, 0.3);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        for (double x : {12.0, 388.0}) {
            for (double y : {12.0, 188.0}) {
                cairo_save(cr);
                cairo_translate(cr, x, y);
                for (int k = 0; k < 3; ++k) {
                    cairo_save(cr);
                    // Three leaves fanned toward the middle, inside the frame's corner.
                    cairo_rotate(cr, std::atan2(100 - y, 200 - x) + (k - 1) * 0.8);
                    Ellipse(cr, 8, 0, 7, 3.2);
                    cairo_restore(cr);
                    FillShaded(cr, Palette::kLeaf, 0, 0, 8);
                    StrokeOutline(cr, 0.9);
                }
                cairo_restore(cr);
                Nail(cr, x, y);
            }
        }
    });
}

void PaintDialogButtons(Sheet& sheet) {
    sheet.DrawEach([](cairo_t* cr, int i) { ButtonFace(cr, 110, 36, kDeepBlue, i); });
}

void PaintButton(Sheet& sheet, const Rgb& colour, bool over) {
    sheet.DrawCel(0, [&](cairo_t* cr) { ButtonFace(cr, 110, 33, colour, over ? 1 : 0); });
}

void PaintBanner(Sheet& sheet) {
    // The level banner that slides down from the top: a red ribbon on two ropes; the level
    // caption is written at 38, 43.
    sheet.DrawCel(0, [](cairo_t* cr) {
        for (double x : {30.0, 200.0}) {
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x, 20);
        }
        SetColor(cr, Palette::kWoodDark);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        auto ribbon = [](cairo_t* c) {
            cairo_move_to(c, 4, 18);
            cairo_line_to(c, 226, 18);
            cairo_line_to(c, 216, 34);
            cairo_line_to(c, 226, 50);
            cairo_line_to(c, 4, 50);
            cairo_line_to(c, 14, 34);
            cairo_close_path(c);
        };
        SoftShadow(cr, ribbon, 2, 2, 2, 0.4);
        ribbon(cr);
        FillVertical(cr, Hex(0xd83a2e), Hex(0x9a1a18), 18, 50);
        StrokeOutline(cr, 1.8);
        RoundedRect(cr, 22, 21, 186, 26, 4);
        SetColor(cr, Palette::kGold, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        Nail(cr, 30, 21);
        Nail(cr, 200, 21);
    });
}

void PaintFieldPanel(Sheet& sheet) {
    // The panel under the field (the game draws it at 0, kFieldBottom): plates for the time and
    // score (blue text), four fruit with their goals (red or green text), sockets for the status
    // icons, and the pause and menu buttons at the right edge.
    sheet.DrawCel(0, [](cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, kFieldWidth, kStripHeight);
        FillVertical(cr, Palette::kWood, Palette::kWoodDark, 0, kStripHeight);
        cairo_new_path(cr);
        Grain(cr, 0, 0, kFieldWidth, kStripHeight, 17, 0.35);
        cairo_move_to(cr, 0, 1);
        cairo_line_to(cr, kFieldWidth, 1);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_move_to(cr, 0, 3);
        cairo_line_to(cr, kFieldWidth, 3);
        SetColor(cr, Palette::kWoodLight, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        auto plate = [cr](double x, double y, double w, double h) {
            RoundedRect(cr, x, y, w, h, 6);
            FillVertical(cr, Palette::kParchmentDark, Palette::kParchment, y, y + h);
            StrokeOutline(cr, 1.3);
        };
        plate(4, 6, 100, 24);
        plate(4, 33, 100, 24);
        plate(110, 6, 140, 51);
        // Clock and coin before the time and score.
        cairo_arc(cr, 18, 18, 8, 0, 2 * M_PI);
        FillShaded(cr, Palette::kWhite, 18, 18, 8, 0.4);
        StrokeOutline(cr, 1.2);
        cairo_move_to(cr, 18, 18);
        cairo_line_to(cr, 18, 13);
        cairo_move_to(cr, 18, 18);
        cairo_line_to(cr, 22, 19);
        SetColor(cr, Palette::kOutline);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, 18, 45, 8, 0, 2 * M_PI);
        FillShaded(cr, Palette::kGold, 18, 45, 8);
        StrokeOutline(cr, 1.2);
        PaintFruit(cr, 1, FruitLook::Ripe, 115, 8);
        PaintFruit(cr, 2, FruitLook::Ripe, 115, 35);
        PaintFruit(cr, 3, FruitLook::Ripe, 195, 8);
        PaintFruit(cr, 4, FruitLook::Ripe, 195, 35);
        // Sockets of the status icons (40 x 40 from y 3, 45 apart, the first at 259).
        for (double x : {259.0, 304.0, 349.0, 394.0, 439.0, 484.0}) {
            cairo_arc(cr, x + 20, 23, 18, 0, 2 * M_PI);
            FillVertical(cr, Palette::kWoodDark.Darker(0.4), Palette::kWood, 5, 41);
            StrokeOutline(cr, 1.2);
        }
        // Pause (y 1..29) and menu (y 31..59) buttons from x 565.
        for (int b = 0; b < 2; ++b) {
            cairo_save(cr);
            cairo_translate(cr, 566, 2 + b * 30);
            ButtonFace(cr, 72, 27, b == 0 ? kDeepGreen : kDeepBlue, 0);
            cairo_restore(cr);
            Caption(cr, b == 0 ? "Пауза" : "Меню", 602, 21 + b * 30, 13, Palette::kCaptionYellow);
        }
    });
}

void PaintCurtain(Sheet& sheet) {
    // Velvet folds whose period divides the width, so copies side by side join.
    sheet.DrawCel(0, [](cairo_t* cr) {
        const int width = 127;
        cairo_pattern_t* folds = cairo_pattern_create_linear(0, 0, width, 0);
        for (int i = 0; i <= 32; ++i) {
            const double t = i / 32.0;
            const double shade = 0.5 + 0.5 * std::cos(t * 2 * M_PI * 2);
            const Rgb c = Palette::kCurtainDark.Mix(Palette::kCurtain.Lighter(0.1), shade);
            cairo_pattern_add_color_stop_rgb(folds, t, c.r, c.g, c.b);
        }
        cairo_rectangle(cr, 0, 0, width, kFieldHeight);
        cairo_set_source(cr, folds);
        cairo_fill(cr);
        cairo_pattern_destroy(folds);
        // Gold trim and fringe at the hem; a darker pelmet at the top.
        cairo_rectangle(cr, 0, 0, width, 26);
        FillVertical(cr, Palette::kCurtainDark, Palette::kCurtain.Darker(0.2), 0, 26);
        cairo_new_path(cr);
        for (double y : {26.0, 448.0}) {
            cairo_rectangle(cr, 0, y, width, 6);
            FillVertical(cr, Palette::kGoldLight, Palette::kGold.Darker(0.2), y, y + 6);
            cairo_new_path(cr);
        }
        for (int i = 0; i < width; i += 4) {
            cairo_move_to(cr, i + 2, 454);
            cairo_line_to(cr, i + 2, 470);
        }
        SetColor(cr, Palette::kGold);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    });
}

namespace {

void Plaque(cairo_t* cr, double w, double h, const char* text, double size, const Rgb& board) {
    auto shape = [w, h](cairo_t* c) { RoundedRect(c, 6, 6, w - 14, h - 14, 20); };
    SoftShadow(cr, shape, 4, 5, 4, 0.45);
    shape(cr);
    FillVertical(cr, board.Lighter(0.15), board.Darker(0.2), 6, h - 8);
    StrokeOutline(cr, 3);
    RoundedRect(cr, 14, 14, w - 30, h - 30, 14);
    SetColor(cr, Palette::kGold, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    Caption(cr, text, w / 2, h / 2 + size * 0.36, size, Palette::kCaptionYellow);
}

} // namespace

void PaintGameOver(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        Plaque(cr, 418, 112, "Игра окончена", 40, Hex(0x3a4a8a));
        PaintFruit(cr, 1, FruitLook::Rotten, 22, 70, 1.4);
        PaintFruit(cr, 3, FruitLook::Rotten, 366, 70, 1.4);
    });
}

void PaintLevelCompleted(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, 0, 40);
        Plaque(cr, 438, 132, "Уровень пройден!", 34, kDeepGreen);
        cairo_restore(cr);
        // Stars over the plaque and fruit at its feet.
        const double stars[][3] = {{219, 30, 28}, {160, 42, 18}, {278, 42, 18}};
        for (const auto& s : stars) {
            StarPath(cr, s[0], s[1], s[2], s[2] * 0.45, 5);
            FillShaded(cr, Palette::kGold, s[0], s[1], s[2]);
            StrokeOutline(cr, 2);
        }
        PaintFruit(cr, 1, FruitLook::Ripe, 14, 132, 2);
        PaintFruit(cr, 2, FruitLook::Ripe, 50, 140, 1.6);
        PaintFruit(cr, 4, FruitLook::Ripe, 386, 132, 2);
        PaintFruit(cr, 3, FruitLook::Ripe, 358, 140, 1.6);
    });
}

void PaintBlack(Sheet& sheet) {
    sheet.DrawCel(0, [](cairo_t* cr) {
        SetColor(cr, Palette::kBlack);
        cairo_paint(cr);
    });
}

void PaintAimCursor(Sheet& sheet, bool overBird) {
    // Centred on the mouse: a red target over a bird and in survival, a soft green ring for
    // picking in story mode.
    sheet.DrawCel(0, [overBird](cairo_t* cr) {
        const Rgb colour = overBird ? Hex(0xff3a2a) : Hex(0x6ae05a);
        const double r = overBird ? 15 : 13;
        for (int pass = 0; pass < 2; ++pass) {
            cairo_new_path(cr);
            cairo_arc(cr, 24, 24, r, 0, 2 * M_PI);
            if (overBird) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, 24, 24, 6, 0, 2 * M_PI);
                for (int k = 0; k < 4; ++k) {
                    const double a = k * M_PI / 2;
                    cairo_move_to(cr, 24 + 9 * std::cos(a), 24 + 9 * std::sin(a));
                    cairo_line_to(cr, 24 + 21 * std::cos(a), 24 + 21 * std::sin(a));
                }
            } else {
                for (int k = 0; k < 4; ++k) {
                    const double a = M_PI / 4 + k * M_PI / 2;
                    cairo_move_to(cr, 24 + (r - 4) * std::cos(a), 24 + (r - 4) * std::sin(a));
                    cairo_line_to(cr, 24 + (r + 5) * std::cos(a), 24 + (r + 5) * std::sin(a));
                }
            }
            if (pass == 0) {
                SetColor(cr, Palette::kOutline);
                cairo_set_line_width(cr, 5);
            } else {
                SetColor(cr, colour);
                cairo_set_line_width(cr, 2.5);
            }
            cairo_stroke(cr);
        }
        cairo_arc(cr, 24, 24, 1.8, 0, 2 * M_PI);
        SetColor(cr, Palette::kWhite);
        cairo_fill_preserve(cr);
        StrokeOutline(cr, 1);
    });
}

void PaintMenuCursor(Sheet& sheet) {
    // An arrow whose tip is the picture's centre (the display centres cursors on the mouse).
    sheet.DrawCel(0, [](cairo_t* cr) {
        auto arrow = [](cairo_t* c) {
            cairo_move_to(c, 24, 24);
            cairo_line_to(c, 24, 43);
            cairo_line_to(c, 29, 38.5);
            cairo_line_to(c, 33, 46);
            cairo_line_to(c, 37, 44);
            cairo_line_to(c, 33, 36.5);
            cairo_line_to(c, 39.5, 36);
            cairo_close_path(c);
        };
        SoftShadow(cr, arrow, 2, 2.5, 1.5, 0.45);
        arrow(cr);
        FillVertical(cr, Palette::kWhite, Palette::kFlowerYellow, 24, 46);
        StrokeOutline(cr, 1.8);
    });
}

void PaintMainIcon(Sheet& sheet, int size) {
    // The fruit's 20-pixel box scaled to nine tenths of the icon, a little left of the middle
    // so its shadow, cast right and down, stays inside.
    const double scale = size / 20.0 * 0.9;
    const double x = size * 0.02;
    const double y = size * 0.05;
    sheet.DrawCel(0, [=](cairo_t* cr) { PaintFruit(cr, 1, FruitLook::Ripe, x, y, scale); });
}

} // namespace Vuro::AssetGen
