#pragma once
// The look of the menu's picture buttons: a wooden sign with a caption, as nailed to the menu's
// signpost, in its resting look and lit up under the mouse (lighter wood, a warm glow, a
// brighter caption). The start picture of the credits paints its hot spot with the same sign.

#include "tools/assetgen/art/Palette.h"

#include <cairo.h>

#include <string>

namespace Vuro::AssetGen {

enum class SignEnd { Round, PointLeft, PointRight };

struct SignLook {
    Art::Rgb wood;
    SignEnd end = SignEnd::Round;
    double tilt = 0;   // radians, for a hand-made look
    unsigned seed = 1; // grain
};

// The green sign that leads on from the credits' first picture.
inline const SignLook kGoSign{Art::Palette::kButtonGreen.Mix(Art::Palette::kWood, 0.3),
                              SignEnd::PointRight, 0, 18};

// Paints the sign with its body in the box (x, y, w, h); lit paints the hovered look, whose
// glow reaches `glow` pixels beyond the box.
void PaintSign(cairo_t* cr, double x, double y, double w, double h, const std::string& caption,
               const SignLook& look, bool lit, double glow = 0);

} // namespace Vuro::AssetGen
