#pragma once
// One layer of a font's data prepared for the font's current point size and scale: the glyph
// image at that size (the layer's own image when unscaled, else a strip made for it and owned
// here) and each character's source rectangle in it.

#include "framework/graphics/Rect.h"

namespace Vuro {

struct FontLayer;
class Image;

class ActiveFontLayer {
public:
    ActiveFontLayer() = default;
    // An owned image is duplicated; an unowned one is shared.
    ActiveFontLayer(const ActiveFontLayer& other);
    ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
    virtual ~ActiveFontLayer();

    FontLayer* mBaseFontLayer = nullptr; // the layer in the font data
    Image* mScaledImage = nullptr;       // glyphs at the prepared size; may be null
    bool mOwnsImage = false;             // mScaledImage was made for this layer
    Rect mScaledCharImageRects[256];     // each character's glyph in mScaledImage
};

} // namespace Vuro
