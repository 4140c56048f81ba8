#pragma once
// A widget that writes every update, input and focus call it receives into a log shared by
// the widgets of a test, as "name.Call(args)", so a test can check who heard what, in order;
// and the fixture of tests whose widgets share such a log.

#include "framework/widgets/Widget.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Vuro::Test {

using CallLog = std::vector<std::string>;

class RecordingWidget : public Widget {
public:
    RecordingWidget(CallLog& log, std::string name, int x = 0, int y = 0, int width = 0,
                    int height = 0)
        : mLog(log), mName(std::move(name)) {
        mX = x;
        mY = y;
        mWidth = width;
        mHeight = height;
    }

    void Update() override {
        Widget::Update();
        Log("Update()");
        if (onUpdate) {
            onUpdate();
        }
    }
    void UpdateSmooth(float fraction) override { Log("Smooth(" + std::to_string(fraction) + ")"); }
    bool AcceptsFocus() override { return acceptsFocus; }
    bool IsPointVisible(int x, int y) override { return !hole || !hole(x, y); }
    void GotFocus() override {
        Widget::GotFocus();
        Log("GotFocus()");
    }
    void LostFocus() override {
        Widget::LostFocus();
        Log("LostFocus()");
    }
    void CharInput(char c) override { Log("Char(" + std::to_string(int{c}) + ")"); }
    void KeyDown(int key) override {
        Log("KeyDown(" + std::to_string(key) + ")");
        Widget::KeyDown(key);
    }
    void KeyUp(int key) override { Log("KeyUp(" + std::to_string(key) + ")"); }
    void MouseEnter() override { Log("Enter()"); }
    void MouseLeave() override { Log("Leave()"); }
    void MouseMove(int x, int y) override { Log("Move(" + Args(x, y) + ")"); }
    void MouseDown(int x, int y, int clickCount) override {
        Log("Down(" + Args(x, y, clickCount) + ")");
    }
    void MouseUp(int x, int y, int clickCount) override {
        Log("Up(" + Args(x, y, clickCount) + ")");
    }
    void MouseDrag(int x, int y) override { Log("Drag(" + Args(x, y) + ")"); }
    void MouseWheel(int delta) override { Log("Wheel(" + std::to_string(delta) + ")"); }
    void ZOrderChanged() override { Log("ZOrder()"); }

    bool acceptsFocus = false;
    // Local points for which IsPointVisible answers false.
    std::function<bool(int, int)> hole;
    std::function<void()> onUpdate;

private:
    void Log(const std::string& call) { mLog.push_back(mName + "." + call); }
    static std::string Args(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    static std::string Args(int a, int b, int c) { return Args(a, b) + "," + std::to_string(c); }

    CallLog& mLog;
    std::string mName;
};

// A test whose widgets write to mLog; Take answers what was written since the last Take.
class RecordingLogTest : public ::testing::Test {
protected:
    CallLog Take() { return std::exchange(mLog, {}); }

    CallLog mLog;
};

} // namespace Vuro::Test
