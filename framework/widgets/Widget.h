#pragma once
// A widget of the tree: a container that can be shown or hidden, take the keyboard focus and
// receive input. (Minimal form; the controls' behaviour comes with the widget tree.)

#include "framework/widgets/WidgetContainer.h"

namespace Vuro {

class Widget : public WidgetContainer {
public:
    Widget() = default;
    ~Widget() override = default;

    virtual void GotFocus() { mHasFocus = true; }
    virtual void LostFocus() { mHasFocus = false; }
    virtual void KeyChar(char /*c*/) {}
    virtual void KeyDown(int /*key*/) {}
    virtual void KeyUp(int /*key*/) {}
    virtual void MouseWheel(int /*delta*/) {}

    bool mVisible = true;
    bool mMouseVisible = true;
    bool mDisabled = false;
    bool mHasFocus = false;
    bool mIsDown = false;
    bool mIsOver = false;
};

} // namespace Vuro
