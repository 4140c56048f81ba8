#pragma once
// The base of every screen, dialog and control: a container that can be shown, hidden and
// disabled, has a colour table and margins, takes the keyboard focus and receives the input
// the widget manager routes to it, and offers text and number drawing helpers.
//
// What a caller can rely on:
// - Coordinates are relative to the parent. Input operations receive points local to the
//   widget.
// - Click counts are signed: negative is the right button (its absolute value the count), 3 the
//   middle button, anything else the left button. MouseDown and MouseUp turn them into
//   MouseDownButton / MouseUpButton with button 0 left, 1 right, 2 middle.
// - Deleting a widget detaches it first: it leaves its parent, the manager forgets it and its
//   children are let go (not deleted), so no dangling pointer stays in the parent or the
//   manager.
// - Colour indices outside the table (negative ones included) read as opaque black.
// The slot order of the virtual operations is fixed: controls extend it and must keep it.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/widgets/Margins.h"
#include "framework/widgets/WidgetContainer.h"

#include <string>
#include <vector>

namespace Vuro {

class Image;

// Flags of Widget::Layout, applied in ascending bit order, each to the values the earlier ones
// left; bits 4 and 8 have no effect.
enum LayoutFlags {
    LayoutMatchWidth = 0x1,
    LayoutMatchHeight = 0x2,
    LayoutSetX = 0x10,
    LayoutSetY = 0x20,
    LayoutSetWidth = 0x40,
    LayoutSetHeight = 0x80,
    LayoutPlaceAbove = 0x100,
    LayoutPlaceBelow = 0x200,
    LayoutPlaceRightOf = 0x400,
    LayoutPlaceLeftOf = 0x800,
    LayoutAlignLeft = 0x1000,
    LayoutAlignRight = 0x2000,
    LayoutAlignTop = 0x4000,
    LayoutAlignBottom = 0x8000,
    LayoutStretchToRight = 0x10000,
    LayoutStretchToLeft = 0x20000,
    LayoutStretchToTop = 0x40000,
    LayoutStretchToBottom = 0x80000,
    LayoutCenterX = 0x100000,
    LayoutCenterY = 0x200000,
};

class Widget : public WidgetContainer {
public:
    Widget() = default;

    // ---- [Virtual operations, after the container's, in their fixed order] ----
    ~Widget() override;
    void Update() override;
    // Called by BringToFront after the widget moved in its parent's list.
    virtual void ZOrderChanged();
    virtual void SetVisible(bool visible);
    virtual void SetColorsRGBA(const int (*colors)[4], int count);
    virtual void SetColorsRGB(const int (*colors)[3], int count);
    // Grows the table with opaque black as needed; a negative index changes nothing.
    virtual void SetColor(int index, const Color& color);
    virtual Color GetColorOr(int index, const Color& fallback);
    virtual const Color& GetColor(int index);
    // Disabling makes the manager forget the widget (over, held, focus, modal).
    virtual void SetDisabled(bool disabled);
    virtual void ShowHandCursor(bool show);
    virtual void ResizeTo(const Rect& rect);
    virtual void Resize(int x, int y, int width, int height);
    virtual void Move(int x, int y);
    // Adds (ToAbsolute) or subtracts (ToLocal) the position of this widget and its ancestors.
    virtual void ToAbsolute(int x, int y, int* outX, int* outY);
    virtual void ToLocal(int x, int y, int* outX, int* outY);
    // True: a mouse press on the widget gives it the focus.
    virtual bool AcceptsFocus();
    // Draws the widget's deferred overlay.
    virtual void DrawOnTop(Graphics* g);
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void CharInput(char c);
    // The base moves the focus along the tab order on Tab (backwards with Shift).
    virtual void KeyDown(int key);
    virtual void KeyUp(int key);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Mouse moved over the widget with no button held.
    virtual void MouseMove(int x, int y);
    virtual void MouseDownButton(int x, int y, int button, int clickCount);
    virtual void MouseDown(int x, int y, int clickCount);
    virtual void MouseUpButton(int x, int y, int button, int clickCount);
    // MouseRelease, then MouseUpButton.
    virtual void MouseUp(int x, int y, int clickCount);
    virtual void MouseRelease(int x, int y);
    // Mouse moved with a button held on this widget.
    virtual void MouseDrag(int x, int y);
    virtual void MouseWheel(int delta);
    // The last test of the hit test, at a local point: false lets the point through to what
    // lies below.
    virtual bool IsPointVisible(int x, int y);

    // Text helpers: they draw with the context's font (nothing without one), centred in the
    // widget's own width with x relative to the context's origin; y is the baseline. The
    // rectangle returned is what the text covers.
    // The shadow is drawn first, at offset from the text.
    virtual Rect DrawCenteredShadowedText(Graphics* g, int y, const std::string& text,
                                          const Color& main, const Color& shadow,
                                          const Point* offset);
    virtual Rect DrawCenteredText(Graphics* g, int y, const std::string& text);
    // Graphics::DrawColoredString with colour codes read; answers the width.
    virtual int DrawJustifiedText(Graphics* g, const std::string& text, int x, int y, int width = 0,
                                  int justify = -1, bool draw = true, int start = 0,
                                  int length = -1);
    // Graphics::DrawWrappedText with colour codes read; answers the height written.
    virtual int DrawWrappedText(Graphics* g, const Rect& area, const std::string& text,
                                int lineSpacing = -1, int justify = -1);
    virtual int MeasureWrappedText(Graphics* g, int width, const std::string& text,
                                   int lineSpacing = -1);
    // Number of decimal digits of n (1 for 0 to 9). Counts in 64 bits, so values from 10^9 up
    // do not overflow.
    virtual int CountDigits(int n);
    // Draws a non-negative number from a strip of the ten digits 0..9 in cells of equal width
    // (image width / 10), most significant first, spacing pixels apart.
    virtual void DrawNumberFromDigitStrip(Graphics* g, int number, int x, int y, Image* strip,
                                          int spacing);
    // x in [x, x + width) and y in [y, y + height), in the parent's coordinates.
    virtual bool Contains(int x, int y);
    // The rectangle shrunk by the margins; the hit test uses it.
    virtual Rect GetMarginRect();

    // ---- [Operations of the widget itself] ----
    // Places and sizes the widget relative to another (LayoutFlags); the other's position
    // counts as 0, 0 when it is this widget's parent. The result goes through Resize.
    void Layout(int flags, WidgetContainer* other, int dx, int dy, int dw, int dh);

    // ---- [Fields] ----
    bool mVisible = true;
    bool mMouseVisible = true; // the widget itself, not only its children, can be hit
    bool mDisabled = false;    // under the mouse it swallows the hit test
    bool mHasFocus = false;
    bool mIsDown = false; // a button pressed on it is still held (kept by the manager)
    bool mIsOver = false; // the mouse is over it (kept by the manager)
    bool mHasTransparencies = false;
    std::vector<Color> mColors;
    Margins mMargins;
    bool mWantsHandCursor = false;
    Widget* mTabPrev = nullptr;
    Widget* mTabNext = nullptr;
};

} // namespace Vuro
