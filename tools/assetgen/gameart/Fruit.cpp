#include "tools/assetgen/gameart/Fruit.h"

#include <cmath>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

Rgb RipeColor(int kind) {
    switch (kind) {
    case 1:
        return Palette::kApple;
    case 2:
        return Palette::kPear;
    case 3:
        return Palette::kPlum;
    default:
        return Palette::kOrange;
    }
}

// The kind's outline in the 20 x 20 box, centred on (10, 11).
void FruitPath(cairo_t* cr, int kind) {
    cairo_new_sub_path(cr);
    switch (kind) {
    case 1: // apple: round, a dimple at the stem
        cairo_move_to(cr, 10, 5.8);
        cairo_curve_to(cr, 13, 3.8, 18, 5.2, 17.6, 11);
        cairo_curve_to(cr, 17.3, 16, 14, 18.6, 10, 18.2);
        cairo_curve_to(cr, 6, 18.6, 2.7, 16, 2.4, 11);
        cairo_curve_to(cr, 2, 5.2, 7, 3.8, 10, 5.8);
        break;
    case 2: // pear: a narrow neck over a round bottom
        cairo_move_to(cr, 10, 2.6);
        cairo_curve_to(cr, 12.6, 2.6, 12.4, 6.6, 14.2, 9);
        cairo_curve_to(cr, 17.4, 12, 17.4, 18.6, 10, 18.7);
        cairo_curve_to(cr, 2.6, 18.6, 2.6, 12, 5.8, 9);
        cairo_curve_to(cr, 7.6, 6.6, 7.4, 2.6, 10, 2.6);
        break;
    case 3: // plum: an upright oval, slightly leaning
        cairo_save(cr);
        cairo_translate(cr, 10, 11.2);
        cairo_rotate(cr, -0.3);
        cairo_scale(cr, 6.4, 7.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        break;
    default: // orange: a full round ball
        cairo_arc(cr, 10, 11, 7.8, 0, 2 * M_PI);
        break;
    }
    cairo_close_path(cr);
}

void Stem(cairo_t* cr, int kind, bool leaf) {
    const double top = kind == 2 ? 2.8 : kind == 4 ? 3.4 : 5.8;
    cairo_move_to(cr, 10, top + 0.6);
    cairo_curve_to(cr, 10, top - 1.2, 10.6, top - 2.2, 11.6, top - 3);
    SetColor(cr, Palette::kStem);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    if (!leaf) {
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, 11.4, top - 1.6);
    cairo_rotate(cr, -0.45);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 1.5, -2.6, 4.5, -2.6, 6, 0);
    cairo_curve_to(cr, 4.5, 2.2, 1.5, 2.2, 0, 0);
    cairo_restore(cr);
    FillShaded(cr, Palette::kLeaf, 14, top - 2.5, 3);
    StrokeOutline(cr, 0.8);
}

void Sparkle(cairo_t* cr, double x, double y, double r) {
    cairo_move_to(cr, x, y - r);
    cairo_curve_to(cr, x, y, x, y, x + r, y);
    cairo_curve_to(cr, x, y, x, y, x, y + r);
    cairo_curve_to(cr, x, y, x, y, x - r, y);
    cairo_curve_to(cr, x, y, x, y, x, y - r);
    SetColor(cr, Palette::kWhite, 0.95);
    cairo_fill(cr);
}

void Blossom(cairo_t* cr, int kind) {
    const Rgb petal = kind == 1 ? Palette::kBlossom : Palette::kWhite;
    SoftShadow(
        cr, [](cairo_t* c) { Ellipse(c, 10, 10.5, 6.5, 6.5); }, 1, 1.5, 1.5, 0.3);
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 5;
        Ellipse(cr, 10 + 3.6 * std::cos(a), 10.5 + 3.6 * std::sin(a), 3.1, 3.1);
        FillShaded(cr, petal, 10 + 3.6 * std::cos(a), 10.5 + 3.6 * std::sin(a), 3.1, 0.6);
        StrokeOutline(cr, 0.7);
    }
    Ellipse(cr, 10, 10.5, 2, 2);
    FillShaded(cr, kind == 4 ? Palette::kOrangeLight : Palette::kFlowerYellow, 10, 10.5, 2);
    StrokeOutline(cr, 0.6);
}

// A growing green fruit of the kind's shape, `grown` 0..1 of the full size.
void GreenFruit(cairo_t* cr, int kind, double grown, bool petals) {
    const double s = 0.45 + 0.5 * grown;
    cairo_save(cr);
    cairo_translate(cr, 10, 12 - 1.5 * (1 - grown));
    cairo_scale(cr, s, s);
    cairo_translate(cr, -10, -11);
    auto path = [kind](cairo_t* c) { FruitPath(c, kind); };
    SoftShadow(cr, path, 0.8, 1.2, 1.2, 0.3);
    path(cr);
    FillShaded(cr, Palette::kUnripe.Mix(RipeColor(kind), 0.08), 10, 11, 8);
    StrokeOutline(cr, 1.2 / s);
    Gloss(cr, 10, 11, 7, 0.5);
    Stem(cr, kind, grown > 0.5);
    cairo_restore(cr);
    if (petals) {
        for (int i = 0; i < 3; ++i) {
            const double a = 0.5 + i * 2.1;
            Ellipse(cr, 10 + 5.5 * std::cos(a), 13 + 5 * std::sin(a), 1.8, 1.3);
            SetColor(cr, Palette::kBlossom, 0.9);
            cairo_fill_preserve(cr);
            StrokeOutline(cr, 0.5);
        }
    }
}

void RipeFruit(cairo_t* cr, int kind, FruitLook look) {
    double ripeness = 1.0;
    if (look == FruitLook::Unripe) {
        ripeness = 0.18;
    } else if (look == FruitLook::Ripening) {
        ripeness = 0.58;
    }
    Rgb body = Palette::kUnripe.Mix(RipeColor(kind), ripeness);
    if (look == FruitLook::Rotten) {
        body = RipeColor(kind).Mix(Palette::kRot, 0.72);
    } else if (look == FruitLook::Golden) {
        body = Palette::kGold;
    }
    cairo_save(cr);
    if (look == FruitLook::Fallen || look == FruitLook::Rotten) {
        // Lying on the ground: tipped over and a little flattened.
        cairo_translate(cr, 10, 18);
        cairo_rotate(cr, look == FruitLook::Fallen ? 0.35 : -0.25);
        cairo_scale(cr, 1.05, look == FruitLook::Rotten ? 0.78 : 0.92);
        cairo_translate(cr, -10, -18);
    }
    auto path = [kind](cairo_t* c) { FruitPath(c, kind); };
    SoftShadow(cr, path, 1, 1.5, 1.5, 0.35);
    path(cr);
    FillShaded(cr, body, 10, 11, 8.5);
    // A blush on the lit side of apples and pears, the waxy bloom of plums, the peel of
    // oranges.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    if ((kind == 1 || kind == 2) && look != FruitLook::Rotten && look != FruitLook::Golden &&
        ripeness > 0.5) {
        Ellipse(cr, 7, 12, 5, 5);
        SetColor(cr, kind == 1 ? Palette::kAppleBlush : Palette::kPearBlush, 0.45);
        cairo_fill(cr);
    } else if (kind == 3 && look != FruitLook::Rotten && look != FruitLook::Golden) {
        Ellipse(cr, 12.5, 13, 3, 5);
        SetColor(cr, Palette::kPlumBloom, 0.35);
        cairo_fill(cr);
    } else if (kind == 4) {
        for (int i = 0; i < 14; ++i) {
            const double a = i * 2.4;
            const double r = 2 + (i % 5) * 1.2;
            Ellipse(cr, 10 + r * std::cos(a), 11 + r * std::sin(a), 0.45, 0.45);
            SetColor(cr, body.Darker(0.25), 0.6);
            cairo_fill(cr);
        }
    }
    if (look == FruitLook::Rotten) {
        const double spots[][3] = {{7, 12, 2.4}, {12.5, 9.5, 1.8}, {11, 15, 1.5}};
        for (const auto& s : spots) {
            Ellipse(cr, s[0], s[1], s[2], s[2] * 0.8);
            SetColor(cr, Palette::kRotSpot, 0.75);
            cairo_fill(cr);
        }
    } else if (look == FruitLook::Fallen) {
        Ellipse(cr, 13, 14.5, 2.2, 1.6);
        SetColor(cr, body.Darker(0.45), 0.45);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    StrokeOutline(cr, 1.2);
    if (kind == 3) {
        // The plum's seam.
        cairo_move_to(cr, 9.2, 4.6);
        cairo_curve_to(cr, 6.2, 8.5, 6.6, 14.5, 9.6, 18.2);
        SetColor(cr, Palette::kOutline, 0.45);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    if (look != FruitLook::Rotten) {
        Gloss(cr, 10, 11, 8, look == FruitLook::Golden ? 0.95 : 0.7);
    }
    if (kind == 4) {
        // The orange's calyx.
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5;
            cairo_move_to(cr, 10, 4.2);
            cairo_line_to(cr, 10 + 2 * std::cos(a), 4.2 + 1.2 * std::sin(a));
        }
        SetColor(cr, Palette::kLeafDark);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    } else {
        Stem(cr, kind, look != FruitLook::Rotten && kind != 3);
    }
    cairo_restore(cr);
    if (look == FruitLook::Golden) {
        Sparkle(cr, 15.5, 5, 3.2);
        Sparkle(cr, 4.5, 15.5, 2.2);
    }
}

} // namespace

void PaintFruit(cairo_t* cr, int kind, FruitLook look, double x, double y, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    switch (look) {
    case FruitLook::Blossom:
        Blossom(cr, kind);
        break;
    case FruitLook::Bud:
        GreenFruit(cr, kind, 0.0, true);
        break;
    case FruitLook::Young:
        GreenFruit(cr, kind, 0.45, false);
        break;
    case FruitLook::Green:
        GreenFruit(cr, kind, 0.85, false);
        break;
    default:
        RipeFruit(cr, kind, look);
        break;
    }
    cairo_restore(cr);
}

void PaintFruitAnim(Art::Sheet& sheet, int kind) {
    static constexpr FruitLook kLooks[] = {FruitLook::Unripe, FruitLook::Ripening,
                                           FruitLook::Ripe,   FruitLook::Fallen,
                                           FruitLook::Rotten, FruitLook::Golden};
    sheet.DrawEach([kind](cairo_t* cr, int i) { PaintFruit(cr, kind, kLooks[i], 0, 0); });
}

void PaintFruitGerm(Art::Sheet& sheet, int kind) {
    static constexpr FruitLook kLooks[] = {FruitLook::Blossom, FruitLook::Bud, FruitLook::Young,
                                           FruitLook::Green};
    sheet.DrawEach([kind](cairo_t* cr, int i) { PaintFruit(cr, kind, kLooks[i], 0, 0); });
}

} // namespace Vuro::AssetGen
