#pragma once
// The root of the widget tree, owned by the application. It takes the input the main loop
// dispatches, runs the update walks once per fixed update and once per frame, and draws the
// dirty top-level widgets onto the screen image. It never deletes its top-level widgets.
// (Minimal form: keyboard input goes to the focus widget, key states are kept, and the modal
// stack holds the focus below a modal widget; hit testing, the widget under the mouse and
// drawing come with the widget tree.)

#include "framework/widgets/WidgetContainer.h"

#include <cstdint>
#include <list>

namespace Vuro {

class Image;
class VuroAppBase;

class WidgetManager : public WidgetContainer {
public:
    static constexpr int kKeyCount = 255;

    explicit WidgetManager(VuroAppBase* app);
    ~WidgetManager() override = default;

    // One update walk; answers the root's dirty field.
    bool UpdateFrame();
    bool UpdateFrameSmooth(float fraction);
    // Draws the dirty top-level widgets; answers whether any was drawn.
    bool DrawScreen();
    void SetScreenSize(int width, int height);
    int GetWidgetFlags() const;
    void InitTraversalFlags(TraversalFlags* flags) const;

    // Input entry points; each notes the update count of the call and answers true.
    bool MouseMove(int x, int y);
    bool MouseDown(int x, int y, int clickCount);
    bool MouseUp(int x, int y, int clickCount);
    bool MouseExit(int x, int y);
    bool MouseWheel(int delta);
    bool KeyChar(char c);
    bool KeyDown(int key);
    bool KeyUp(int key);

    void GotAppFocus();
    void LostAppFocus();
    void SetFocus(Widget* w);
    // Drops every reference to a widget that leaves the tree.
    void ForgetWidget(Widget* w);

    // Modal widgets. While w is the modal widget, the widgets below it have their flags
    // adjusted (by PushModal: no mouse, no focus, and a focus widget below it loses the focus).
    // PopModal (w) acts only when w was pushed last; it brings back the previous modal widget
    // and, when nothing has the focus, the previous focus. A removed widget is skipped over.
    void PushModal(Widget* w);
    void PushModalWith(Widget* w, const FlagAdjust& adjust);
    void PopModal(Widget* w);
    void SetModal(Widget* w, const FlagAdjust& adjust);

    struct ModalState {
        Widget* mModalWidget;
        Widget* mPreviousModal; // cleared when that widget leaves the tree
        Widget* mPreviousFocus; // likewise
        FlagAdjust mPreviousBelowModal;
    };

    VuroAppBase* mApp;       // not owned
    Image* mImage = nullptr; // the screen image drawn onto; not owned
    int mScreenWidth = 0;
    int mScreenHeight = 0;
    bool mHasFocus = true; // the application window has the input focus
    Widget* mFocusWidget = nullptr;
    bool mMouseIn = false;
    int mLastMouseX = 0;
    int mLastMouseY = 0;
    int mPressedButtons = 0; // bits 1 left, 2 right, 4 middle
    int mLastInputUpdate = 0;
    uint8_t mKeyDown[kKeyCount] = {};
    int mDefaultFlags = 61;
    Widget* mModalWidget = nullptr;
    FlagAdjust mBelowModalAdjust;
    FlagAdjust mDefaultBelowModalAdjust{0, WidgetFlagAllowMouse | WidgetFlagAllowFocus};
    std::list<ModalState> mModalStack;
    FlagAdjust mUnfocusedAdjust;

private:
    void NoteInput();
};

} // namespace Vuro
