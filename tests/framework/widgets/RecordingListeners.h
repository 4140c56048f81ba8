#pragma once
// Listeners for the controls' tests: each writes the calls it hears into a log, as
// "Call(id,args)", so a test can check the reports of a control in order; and a font that
// also records the drawing context's translation, to see a label shift.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/SliderListener.h"
#include "support/FixedWidthFont.h"

#include <string>
#include <vector>

namespace Vuro::Test {

class RecordingListener : public ButtonListener,
                          public DialogListener,
                          public CheckboxListener,
                          public SliderListener {
public:
    void ButtonMouseEnter(int id) override { Log("Enter", id); }
    void ButtonMouseLeave(int id) override { Log("Leave", id); }
    void ButtonMouseMove(int id, int x, int y) override {
        Log("Move", id, std::to_string(x) + "," + std::to_string(y));
    }
    void ButtonPressCount(int id, int clickCount) override {
        Log("PressCount", id, std::to_string(clickCount));
        ButtonListener::ButtonPressCount(id, clickCount);
    }
    void ButtonPress(int id) override { Log("Press", id); }
    void ButtonClick(int id) override { Log("Click", id); }
    void ButtonHeld(int id) override { Log("Held", id); }
    void DialogButtonPress(int dialogId, int buttonId) override {
        Log("DialogPress", dialogId, std::to_string(buttonId));
    }
    void DialogButtonClick(int dialogId, int buttonId) override {
        Log("DialogClick", dialogId, std::to_string(buttonId));
    }
    void CheckboxToggled(int id, bool on) override { Log("Toggled", id, on ? "1" : "0"); }
    void SliderMoved(int id, double value) override { Log("Slider", id, std::to_string(value)); }

    std::vector<std::string> Take() {
        std::vector<std::string> calls;
        calls.swap(mCalls);
        return calls;
    }

    // Only the calls that are not mouse movement.
    std::vector<std::string> TakeActions() {
        std::vector<std::string> actions;
        for (const std::string& call : Take()) {
            if (call.rfind("Move", 0) != 0 && call.rfind("Enter", 0) != 0 &&
                call.rfind("Leave", 0) != 0) {
                actions.push_back(call);
            }
        }
        return actions;
    }

private:
    void Log(const char* call, int id, const std::string& args = {}) {
        mCalls.push_back(std::string(call) + "(" + std::to_string(id) +
                         (args.empty() ? "" : "," + args) + ")");
    }

    std::vector<std::string> mCalls;
};

// A fixed-width font whose records hold the position on the destination (the context's
// translation added).
class TranslatedFont : public Testing::FixedWidthFont {
public:
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clipRect) override {
        FixedWidthFont::DrawString(g, x + static_cast<int>(g->mTransX),
                                   y + static_cast<int>(g->mTransY), text, color, clipRect);
    }
    Font* Duplicate() override { return new TranslatedFont(*this); }
};

} // namespace Vuro::Test
