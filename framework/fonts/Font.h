#pragma once
// The font interface: four metrics, the width of a string or character (with kerning against
// the character before it), and the drawing of a string through a drawing context. Bitmap and
// system fonts derive from it. The metric getters read the fields and are not meant to be
// overridden; every other operation has a usable default except Duplicate.
//
// A Graphics holds a Font* it does not own; widgets keep their own copy made by Duplicate.

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

#include <string>

namespace Vuro {

class Graphics;

class Font {
public:
    Font() = default;
    Font(const Font& other) = default;
    Font& operator=(const Font&) = delete;
    virtual ~Font() = default;

    virtual int GetAscent() { return mAscent; }
    virtual int GetAscentPadding() { return mAscentPadding; }
    // Negative when the height is smaller than the ascent.
    virtual int GetDescent() { return mHeight - mAscent; }
    virtual int GetHeight() { return mHeight; }
    virtual int GetLineSpacingOffset() { return mLineSpacingOffset; }
    // Distance between two baselines.
    virtual int GetLineSpacing() { return mHeight + mLineSpacingOffset; }

    virtual int StringWidth(const std::string& text);
    // StringWidth of c alone; of the empty string for the NUL character.
    virtual int CharWidth(char c);
    // The advance of c after previous (0 at the start of a line); the default ignores previous.
    virtual int CharWidthKern(char c, char previous);
    // x is the left edge of the first character and y the baseline, both in the context's
    // coordinates; clipRect is the context's clip. The default draws nothing.
    virtual void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                            const Rect& clipRect);
    // A new font equal to this one, usable and deletable on its own; the caller owns it.
    [[nodiscard]] virtual Font* Duplicate() = 0;

    int mAscent = 0;            // top of the line to the baseline
    int mAscentPadding = 0;     // empty pixels at the top of the ascent
    int mHeight = 0;            // height of one line
    int mLineSpacingOffset = 0; // added to the height between two baselines
};

} // namespace Vuro
