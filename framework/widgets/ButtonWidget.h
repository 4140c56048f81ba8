#pragma once
// The general push button: a text label, optional state images (or source rectangles cut from
// the normal image) and an over image that can fade in and out. It reports to its listener
// with the id given to it.
//
// What a caller can rely on:
// - The owner fills the public fields (label, images, rectangles, fade speeds) directly; the
//   button reads them when it draws and updates. Images are not owned; the font is.
// - ButtonPressCount on every press (any button, signed click count); ButtonClick only when
//   the mouse is released over the button while the application window has the focus;
//   ButtonHeld once per update while it is held with the mouse over it.
// - With no font given, the first draw of a non-empty label makes a 10-point system font.
// - A null listener is allowed and hears nothing; a state image that is missing is not drawn.

#include "framework/graphics/Rect.h"
#include "framework/widgets/Widget.h"

#include <string>

namespace Vuro {

class ButtonListener;
class Font;
class Image;

class ButtonWidget : public Widget {
public:
    ButtonWidget(int id, ButtonListener* listener);
    ~ButtonWidget() override;
    ButtonWidget(const ButtonWidget&) = delete;
    ButtonWidget& operator=(const ButtonWidget&) = delete;

    void Update() override;
    void Draw(Graphics* g) override;
    void SetDisabled(bool disabled) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseRelease(int x, int y) override;

    // ---- [Added virtual operations, in their fixed order] ----
    // With a source rectangle that has a width, that part of the normal image is drawn
    // (whatever image is passed); else the whole image.
    virtual void DrawButtonImage(Graphics* g, Image* image, const Rect& src, int x, int y);
    // Keeps a duplicate of font (null keeps none); the old font is deleted.
    virtual void SetFont(Font* font);
    // Held with the mouse over it and not disabled.
    virtual bool IsButtonDown();

    static bool HasImageOrRect(const Image* image, const Rect& rect);

    int mId;
    std::string mLabel;
    int mLabelJustify = 0; // 0 centred, 1 right-aligned, anything else at x 0
    Font* mFont = nullptr; // owned
    Image* mNormalImage = nullptr;
    Image* mOverImage = nullptr;
    Image* mDownImage = nullptr;
    Image* mDisabledImage = nullptr;
    Rect mNormalRect;
    Rect mOverRect;
    Rect mDownRect;
    Rect mDisabledRect;
    bool mInverted = false; // swaps the pressed and released looks
    bool mNoDraw = false;
    bool mNoFrame = false; // the default look draws only the label
    ButtonListener* mButtonListener;
    double mOverAlpha = 0.0;            // strength of the over image over the normal one
    double mOverAlphaSpeed = 0.0;       // taken per update after the mouse left
    double mOverAlphaFadeInSpeed = 0.0; // added per update while the mouse is over

protected:
    // Makes the label font from the request when there is none and the label is not empty.
    void EnsureLabelFont(int pointSize, int charSet);

private:
    // The look changes when the mouse enters or leaves.
    bool OverChangesLook();
    void DrawDefaultLook(Graphics* g, bool downLook, int labelX, int labelY);
    void DrawImageLook(Graphics* g, bool downLook, int labelX, int labelY);
    void DrawLabel(Graphics* g, const Color& color, int x, int y);
};

} // namespace Vuro
