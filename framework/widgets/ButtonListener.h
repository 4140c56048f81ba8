#pragma once
// What a button reports to its owner, each call with the id given to the button. Every
// operation has an empty default (ButtonPressCount forwards to ButtonPress), so an owner
// overrides only what it needs. The order of the operations is fixed.

namespace Vuro {

class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    virtual void ButtonMouseEnter(int /*id*/) {}
    virtual void ButtonMouseLeave(int /*id*/) {}
    virtual void ButtonMouseMove(int /*id*/, int /*x*/, int /*y*/) {}
    virtual void ButtonPressCount(int id, int /*clickCount*/) { ButtonPress(id); }
    virtual void ButtonPress(int /*id*/) {}
    virtual void ButtonClick(int /*id*/) {}
    virtual void ButtonHeld(int /*id*/) {}
};

} // namespace Vuro
