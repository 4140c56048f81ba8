#pragma once
// One window of the crash report: a system window of a fixed client size whose picture is
// drawn by a widget manager of its own, over a plain grey face, onto an image of that size.
//
// What a caller can rely on:
// - The window is placed with its frame's top-left corner at (x, y); it starts hidden.
// - Widgets added with Add are owned by the window and deleted with it.
// - Dispatch takes the window's own mouse, wheel and key messages to its widgets; other
//   messages are ignored (the owner answers WM_CLOSE and timers).
// - Draw presents the picture when a widget changed since the last Draw, or when asked.
// - IsMade is false when the window system could make no window (no display); everything else
//   then still works on the picture, so nothing is shown and nothing fails.

#include "framework/display/DDImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Messages.h"
#include "platform/Window.h"

#include <memory>
#include <string>
#include <vector>

namespace Vuro {

class DDInterface;
class WidgetHost;

class CrashWindow {
public:
    CrashWindow(WidgetHost& app, DDInterface& images, const std::string& caption, int x, int y,
                int width, int height);
    ~CrashWindow();
    CrashWindow(const CrashWindow&) = delete;
    CrashWindow& operator=(const CrashWindow&) = delete;

    bool IsMade() const { return mWindow != nullptr; }
    // 0 when no window was made.
    uint32_t Id() const;
    void Show();
    void Hide();
    bool IsShown() const { return mShown; }

    // Takes the widget and puts it at (x, y) with the given size.
    template <typename W> W* Add(W* widget, int x, int y, int width, int height) {
        widget->Resize(x, y, width, height);
        mWidgets.emplace_back(widget);
        mFace.AddWidget(widget);
        return widget;
    }
    void SetFocus(Widget* widget) { mManager.SetFocus(widget); }

    void Dispatch(const Platform::Message& message);
    // One fixed update of the widgets (blinking cursor, held scroll arrows).
    void Update();
    void Draw(bool always = false);
    // The picture as last drawn.
    DDImage& Picture() { return mPicture; }

private:
    // The grey face that fills the client area.
    class Face : public Widget {
    public:
        void Draw(Graphics* g) override;
    };

    std::unique_ptr<Platform::Window> mWindow;
    DDImage mPicture;
    WidgetManager mManager;
    Face mFace;
    std::vector<std::unique_ptr<Widget>> mWidgets;
    bool mShown = false;
};

} // namespace Vuro
