// The main menu's picture buttons: the signs of the signpost (story, survival, options,
// information, scores, and the unused first one), the exit sign, the profile plaque, and the
// easy-mode toggle. Each highlight picture is drawn over its button by the menu at its own
// place, so it holds the same sign lit up, centred on the resting one, with a glow around it.
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Text.h"
#include "tools/assetgen/menuart/MenuArtList.h"
#include "tools/assetgen/menuart/Plaques.h"
#include "tools/assetgen/menuart/SignButton.h"

#include <cmath>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

// The signs of the signpost: their look and where the menu draws the sign and its highlight.
struct MenuSign {
    int number;
    SignLook look;
};

const MenuSign kSigns[] = {
    {1, {Palette::kWood, SignEnd::Round, 0.0, 11}},
    {2, {Palette::kRoofRed.Mix(Palette::kWood, 0.35), SignEnd::Round, 0.02, 12}},
    {3, {Palette::kWood, SignEnd::PointRight, -0.02, 13}},
    {4, {Palette::kWoodLight.Mix(Palette::kWood, 0.5), SignEnd::PointLeft, 0.025, 14}},
    {5, {Palette::kWood, SignEnd::PointRight, -0.015, 15}},
    {6, {Palette::kWoodLight.Mix(Palette::kWood, 0.5), SignEnd::PointLeft, 0.02, 16}},
    {7, {Palette::kWood, SignEnd::PointRight, -0.02, 17}},
};

// Room kept around a sign's body inside its own picture: its shadow and its tilt.
constexpr double kMarginX = 2;
constexpr double kMarginTop = 2;
constexpr double kMarginBottom = 4;

void PaintRestingSign(Sheet& sheet, const std::string& caption, const SignLook& look) {
    Canvas& canvas = sheet.GetCanvas();
    sheet.DrawCel(0, [&](cairo_t* cr) {
        PaintSign(cr, kMarginX, kMarginTop, canvas.Width() - 2 * kMarginX,
                  canvas.Height() - kMarginTop - kMarginBottom, caption, look, false);
    });
}

// The lit sign of a highlight picture, a little larger than the resting sign and centred where
// it lies; the rest of the picture holds the glow.
void PaintLitSign(Sheet& sheet, const std::string& caption, const SignLook& look, int restingW,
                  int restingH) {
    Canvas& canvas = sheet.GetCanvas();
    sheet.DrawCel(0, [&](cairo_t* cr) {
        const double w = restingW - 2 * kMarginX + 4;
        const double h = restingH - kMarginTop - kMarginBottom + 2;
        const double x = (canvas.Width() - w) / 2;
        const double y = (canvas.Height() - h) / 2 - 1;
        const double room = std::min(x, y);
        PaintSign(cr, x, y, w, h, caption, look, true, std::max(3.0, room - 1));
    });
}

} // namespace

// The profile plaque hanging from the top of the screen: a straw hat medallion, the label over
// the player's name (which the menu writes at 50, 46) and a hint under it.
void PaintProfilePlaque(Sheet& sheet, const MenuArtSources& sources, bool lit) {
    sheet.DrawCel(0, [&](cairo_t* cr) {
        // Ropes.
        for (double rx : {30.0, 190.0}) {
            cairo_move_to(cr, rx, 0);
            cairo_line_to(cr, rx, 16);
            StrokeWithOutline(cr, Palette::kParchmentDark, 1.6);
        }
        if (lit) {
            Plaques::Glow(cr, 4, 13, 212, 58, 5, Palette::kSunGlow, 0.95);
        }
        const Rgb wood = lit ? Palette::kWood.Lighter(0.22) : Palette::kWood;
        Plaques::Plank(cr, 4, 13, 212, 58, wood, 21, !lit, false);
        // The medallion with a straw hat.
        ShadedBody(
            cr, [](cairo_t* c) { Ellipse(c, 26, 42, 17, 17); }, Palette::kGrassLight, 26, 42, 17,
            false);
        Ellipse(cr, 26, 45, 13, 3.6);
        FillShaded(cr, Palette::kFlowerYellow, 26, 45, 13);
        StrokeOutline(cr, 1.2);
        cairo_move_to(cr, 18, 44);
        cairo_curve_to(cr, 18, 32, 34, 32, 34, 44);
        cairo_close_path(cr);
        FillShaded(cr, Palette::kFlowerYellow, 26, 39, 8);
        StrokeOutline(cr, 1.2);
        cairo_rectangle(cr, 18.5, 40, 15, 3);
        SetColor(cr, Palette::kApple);
        cairo_fill(cr);
        TextStyle label{.size = 11,
                        .fill = Palette::kParchment,
                        .outline = 2.2,
                        .shadow = false,
                        .align = TextAlign::Left};
        DrawText(cr, sources.Line("images/profileicon").c_str(), 50, 28, label);
        label.size = 10;
        label.fill = lit ? Palette::kCaptionYellow : Palette::kParchmentDark;
        DrawText(cr, sources.Line("images/profileicon.hint").c_str(), 50, 64, label);
    });
}

// The easy-mode toggle: a lamp, dark or lit green, beside its caption.
void PaintEasyToggle(Sheet& sheet, const MenuArtSources& sources, bool enabled, bool lit) {
    Canvas& canvas = sheet.GetCanvas();
    sheet.DrawCel(0, [&](cairo_t* cr) {
        const double w = canvas.Width() - 2;
        const double h = canvas.Height() - 2;
        const Rgb wood = lit ? Palette::kWood.Lighter(0.25) : Palette::kWood;
        Plaques::Plank(cr, 1, 1, w, h, wood, 31, false, false);
        const double r = h * 0.32;
        const Rgb lamp =
            enabled ? Palette::kButtonGreen.Lighter(lit ? 0.3 : 0.1) : Palette::kStoneDark;
        ShadedBody(
            cr, [=](cairo_t* c) { Ellipse(c, 4 + h / 2, 1 + h / 2, r, r); }, lamp, 4 + h / 2,
            1 + h / 2, r, false, 1.2);
        if (enabled) {
            Gloss(cr, 4 + h / 2, 1 + h / 2, r, 0.8);
        }
        TextStyle caption{.size = 12,
                          .fill = lit ? Palette::kCaptionYellow : Palette::kParchment,
                          .outline = 2.4,
                          .shadow = false};
        DrawText(cr, sources.Line("images/easy").c_str(), (h + 6 + w) / 2, 1 + h / 2 + 4.3,
                 caption);
    });
}

// images/button<number>: a sign of the signpost at rest, and images/buttonover<number> lit up.
void PaintMenuSign(Sheet& sheet, const MenuArtSources& sources, int number) {
    const std::string name = "images/button" + std::to_string(number);
    PaintRestingSign(sheet, sources.Line(name), kSigns[number - 1].look);
}

void PaintLitMenuSign(Sheet& sheet, const MenuArtSources& sources, int number) {
    const std::string name = "images/button" + std::to_string(number);
    const MenuArtPicture* resting = FindMenuArtPicture(name);
    PaintLitSign(sheet, sources.Line(name), kSigns[number - 1].look, resting->mCelWidth,
                 resting->mCelHeight);
}

// The lit sign over the hot spot of the credits' first picture, which shows it at rest.
void PaintPlaySign(Sheet& sheet, const MenuArtSources& sources) {
    PaintSign(sheet.GetCanvas().Cr(), 4, 4, 92, 38, sources.Line("images/play"), kGoSign, true, 4);
}

} // namespace Vuro::AssetGen
