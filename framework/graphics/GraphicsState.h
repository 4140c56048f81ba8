#pragma once
// The state a drawing context carries and saves: destination, translation, clip, colour, font,
// draw mode and four flags. Plain values; the context copies it whole to save and restore.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"

namespace Vuro {

class Font;
class Image;

class GraphicsState {
public:
    void CopyStateFrom(const GraphicsState& other) { *this = other; }

    Image* mDestImage = nullptr; // not owned
    float mTransX = 0;
    float mTransY = 0;
    Rect mClipRect;
    Color mColor;          // opaque black
    Font* mFont = nullptr; // not owned, may be null
    DrawMode mDrawMode = kDrawModeNormal;
    bool mColorizeImages = false;    // images are tinted with mColor
    bool mFastStretch = false;       // stretches take the nearest sample
    bool mWriteColoredString = true; // "^RRGGBB^" in text changes the colour
    bool mLinearBlend = false;       // kept for matrix and triangle drawing
};

} // namespace Vuro
