#pragma once
// The plain look shared by the buttons that draw themselves without images.

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"

namespace Vuro::ButtonLook {

inline constexpr Color kFace{212, 212, 212};
inline constexpr Color kShade{132, 132, 132};

// A filled rectangle in one colour (the lines of bevels are one pixel thick rectangles).
inline void Line(Graphics* g, const Color& color, int x, int y, int width, int height) {
    g->SetColor(color);
    g->FillRect(x, y, width, height);
}

} // namespace Vuro::ButtonLook
