#pragma once
// The root of the widget tree, owned by the application. It takes the input the main loop
// dispatches, finds the widget under the mouse, tracks the widget under the mouse (over), the
// widget a button is held on (held) and the keyboard focus, keeps a stack of modal widgets that
// restrict what lies below them, runs the update walks once per fixed update and once per
// frame, and draws the dirty top-level widgets onto the screen image.
//
// What a caller can rely on:
// - Every input entry point notes the update count of the call and answers true; input that
//   hits, holds or focuses no widget is dropped after the bookkeeping.
// - A widget that leaves the tree, is disabled or is deleted is forgotten at once: it stops
//   being over, held, focused or modal (held buttons are released to it first).
// - Points given to widgets are local to the widget (all ancestors' offsets subtracted).
// - The manager never deletes its top-level widgets; at its own end it lets them go.
// Main thread only; no locks.

#include "framework/widgets/WidgetContainer.h"

#include <cstdint>
#include <vector>

namespace Vuro {

class Image;
class WidgetHost;

class WidgetManager : public WidgetContainer {
public:
    static constexpr int kKeyCount = 255; // key codes 0..254 are recorded
    static constexpr int kNoOverlay = 0x7fffffff;

    // A modal widget pushed and what its pop restores.
    struct ModalState {
        Widget* mModalWidget;
        Widget* mPreviousModal;
        Widget* mPreviousFocus;
        FlagAdjust mPreviousBelowModal;
    };
    // A deferred overlay: the widget's DrawOnTop runs after the widgets of lower priority.
    struct QueuedOverlay {
        Widget* mWidget;
        int mPriority;
    };

    explicit WidgetManager(WidgetHost* app);
    ~WidgetManager() override;

    // ---- [Input entry points] ----
    bool MouseMove(int x, int y);
    bool MouseDown(int x, int y, int clickCount);
    bool MouseUp(int x, int y, int clickCount);
    bool MouseExit(int x, int y);
    bool MouseWheel(int delta);
    // Tab with Ctrl down goes to mCtrlTabWidget (or nowhere), everything else to the focus.
    bool CharInput(char c);
    bool KeyDown(int key);
    bool KeyUp(int key);

    // ---- [Application focus] ----
    void GotAppFocus();
    // Releases every recorded key (KeyUp) and the focus widget's focus.
    void LostAppFocus();
    // Releases the buttons held on the held widget.
    void ReleaseHeldMouse();

    // ---- [Per-frame work] ----
    // One fixed update; answers the root's dirty field (set by any invalidation, never
    // cleared by drawing).
    bool UpdateFrame();
    bool UpdateFrameSmooth(float fraction);
    // Draws the dirty top-level widgets onto the screen image, each with its whole subtree,
    // then the pending overlays; answers whether any widget was drawn.
    bool DrawScreen();
    // Draws the pending overlays, lowest priority first, while their priority is below limit.
    void DrawQueuedOverlays(int limit);

    // ---- [Focus and modality] ----
    // Nothing when w has the focus already; a widget not attached to this manager leaves none.
    void SetFocus(Widget* w);
    void PushModal(Widget* w);
    void PushModalWith(Widget* w, const FlagAdjust& belowModal);
    // Pops w when it is the top entry, restoring the modal widget before it (skipping entries
    // whose widgets were removed meanwhile) and the focus before it when nothing has it.
    void PopModal(Widget* w);
    void SetModal(Widget* w, const FlagAdjust& belowModal);
    // Drops w as over, held (releasing its buttons), focus and modal widget.
    void ForgetWidget(Widget* w);
    // Drops what refers to a widget leaving the tree: modal stack entries naming it as the
    // previous modal or focus widget, the Ctrl+Tab target and its pending overlays.
    void ForgetLeavingWidget(Widget* w);

    // ---- [Queries and helpers] ----
    int GetWidgetFlags() const;
    void InitTraversalFlags(TraversalFlags* flags) const;
    // The widget at a point of the screen, and the point local to it.
    Widget* GetWidgetAt(int x, int y, int* localX, int* localY);
    void SetScreenSize(int width, int height);
    void RemovePopupWidget();
    // Brings over and held state up to date after the tree, a geometry or a state changed.
    void RefreshMouseState();
    // The mouse is at (x, y) with no button held: moves the over state, MouseMove.
    void MousePosition(int x, int y);
    // Defers w's DrawOnTop until the widgets of lower priority have been drawn.
    void AddOverlay(Widget* w, int priority);

    // ---- [Fields] ----
    Widget* mCtrlTabWidget = nullptr;
    Graphics* mCurrentGraphics = nullptr; // while DrawScreen runs
    WidgetHost* mApp;                     // not owned
    Image* mImage = nullptr;              // the screen image drawn onto; not owned
    int mScreenWidth = 0;
    int mScreenHeight = 0;
    Widget* mPopupWidget = nullptr; // a press outside it removes it
    std::vector<QueuedOverlay> mOverlays;
    int mLowestOverlayPriority = kNoOverlay;
    bool mHasAppFocus = true; // the application window has the input focus
    Widget* mFocusWidget = nullptr;
    Widget* mHeldWidget = nullptr;
    Widget* mOverWidget = nullptr;
    Widget* mModalWidget = nullptr;
    FlagAdjust mUnfocusedAdjust;  // applied while the window lacks the focus
    FlagAdjust mBelowModalAdjust; // applied below the modal widget
    FlagAdjust mDefaultBelowModalAdjust{0, WidgetFlagAllowMouse | WidgetFlagAllowFocus};
    std::vector<ModalState> mModalStack;
    bool mMouseIn = false;
    int mLastMouseX = 0;
    int mLastMouseY = 0;
    int mHeldButtons = 0;    // bits 1 left, 2 right, 4 middle: held on mHeldWidget
    int mPressedButtons = 0; // the same bits: physically down
    int mLastInputUpdate = 0;
    uint8_t mKeyDown[kKeyCount] = {};
    int mLastDownCode = 0; // 1 left, -1 right, 2 middle
    int mDefaultFlags = kDefaultWidgetFlags;

private:
    void NoteInput();
    void MouseDrag(int x, int y);
    void EnterWidget(Widget* w);
    void LeaveWidget(Widget* w);
    // Clears the over widget, then its LeaveWidget.
    void ClearOver();
    // MouseUp to w for each of the buttons, at the last mouse point.
    void ReleaseButtons(Widget* w, int buttons);
};

} // namespace Vuro
