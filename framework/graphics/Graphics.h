#pragma once
// The drawing context every draw operation receives. It translates coordinates, clips where a
// call asks for it, picks the colour for images and hands the work to one slot of the
// destination image, or to the font for text; it never touches pixels itself.
//
// What a caller can rely on:
// - Positions are translated as trunc(x + transX) in double precision (toward zero), so a
//   translation of 0.5 moves -1 to 0.
// - Images are drawn with the context's colour when colourising is on and with White
//   otherwise, always in the context's draw mode. Out-of-range sources and cels draw nothing.
// - A context made without a destination draws into a 0 x 0 image that ignores every call; it
//   can still measure text.
// - Text operations need a font: without one they draw nothing and measure 0.
// - PushState/PopState save and restore every state field; PopState on an empty stack does
//   nothing. Main thread only.

#include "framework/graphics/GraphicsState.h"

#include <list>
#include <string>

namespace Vuro {

class Graphics : public GraphicsState {
public:
    // A null destination selects the shared do-nothing image.
    explicit Graphics(Image* dest = nullptr);
    // Copies the state; the copy's saved-state stack starts empty.
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics&) = delete;
    virtual ~Graphics();

    // A copy of this context on the heap; the caller deletes it.
    [[nodiscard]] Graphics* Create() const;
    void PushState();
    void PopState();

    void SetFont(Font* font) { mFont = font; }
    Font* GetFont() const { return mFont; }
    void SetColor(const Color& color) { mColor = color; }
    const Color& GetColor() const { return mColor; }
    void SetDrawMode(DrawMode mode) { mDrawMode = mode; }
    void SetColorizeImages(bool colorize) { mColorizeImages = colorize; }
    bool GetColorizeImages() const { return mColorizeImages; }
    void SetFastStretch(bool fast) { mFastStretch = fast; }
    void SetLinearBlend(bool linear) { mLinearBlend = linear; }

    void Translate(int x, int y);
    // The clip becomes its intersection with the translated rectangle.
    void ClipRect(int x, int y, int width, int height);

    // Nothing when the colour is fully transparent.
    void FillRect(int x, int y, int width, int height);
    // Outline of (width + 1) x (height + 1) pixels; nothing when the colour is fully transparent.
    void DrawRect(int x, int y, int width, int height);
    // y is the baseline.
    void DrawString(const std::string& text, int x, int y);

    void DrawImage(Image* image, int x, int y);
    // A source reaching past the right or bottom of the image draws nothing; a source starting
    // left of or above the image draws only its part inside the image, where it would have landed.
    void DrawImageSrc(Image* image, int x, int y, const Rect& src);
    void DrawImageStretch(Image* image, int x, int y, int width, int height);
    void DrawImageStretchSrc(Image* image, const Rect& dest, const Rect& src);
    // Nine-part box: corners drawn once, edges and centre tiled (not stretched) to fill dest.
    void DrawImageBox(const Rect& dest, Image* image);
    // A source without width or height draws nothing.
    void DrawImageBoxSrc(const Rect& src, const Rect& dest, Image* image);
    // Cel number cel of a sprite sheet, counted row by row.
    void DrawImageFrame(Image* image, int x, int y, int cel);
    void DrawImageFrameAt(Image* image, int x, int y, int col, int row);

    // Draws text[start .. start + length) (to the end when length is negative or too long) with
    // inline colour codes "^RRGGBB^" (when mWriteColoredString is set; "^^" is one caret, and a
    // caret among the last seven characters ends the text there). justify 0 centres in width,
    // 1 aligns right, anything else draws from x. Returns the width; with draw false only
    // measures. The last colour set stays in the context.
    int DrawColoredString(const std::string& text, int x, int y, int width = 0, int justify = -1,
                          bool draw = true, int start = 0, int length = -1);
    // Word-wraps text into box's width, breaking at spaces, at newlines and, inside a word
    // longer than the box, between characters (at least one character per line). lineSpacing
    // -1 takes the font's. Returns the height used; maxWidthOut receives the widest line.
    int DrawWrappedText(const Rect& box, const std::string& text, int lineSpacing = -1,
                        int justify = -1, int* maxWidthOut = nullptr);
    // The height DrawWrappedText would use in a box of this width, reading colour codes as
    // this context does; draws nothing.
    int MeasureWrappedText(int width, const std::string& text, int lineSpacing = -1,
                           int* maxWidthOut = nullptr) const;

private:
    int TransX(int x) const { return static_cast<int>(static_cast<double>(x) + mTransX); }
    int TransY(int y) const { return static_cast<int>(static_cast<double>(y) + mTransY); }
    const Color& ImageColor() const;
    // Blt of src (within the image) placed at the translated (destX, destY), clipped.
    void BltClipped(Image* image, int destX, int destY, const Rect& src);

    std::list<GraphicsState> mStateStack; // last element is the top
};

} // namespace Vuro
