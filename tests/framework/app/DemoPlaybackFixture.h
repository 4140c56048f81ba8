#pragma once
// An application that plays back a demo file made from a test's record stream, with a widget
// holding the keyboard focus that logs the keys, characters and wheel steps it receives,
// each with the update count it arrived at.

#include "DemoStream.h"
#include "TestApp.h"

#include "framework/app/DemoFile.h"
#include "framework/widgets/Widget.h"
#include "support/TempFolder.h"

#include "platform/Messages.h"

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace Vuro::Test {

// Covers the screen, holds the focus and logs every input it gets with the update count.
// A drag to the point the mouse already had is not logged: the live run moves the mouse to
// the point of every button message, which drags in place while a button is held, and the
// stream has no record for a move of no distance.
class LogWidget : public Widget {
public:
    explicit LogWidget(const VuroAppBase& app) : mApp(app) {}
    void KeyDown(int key) override { Note("down " + std::to_string(key)); }
    void KeyUp(int key) override { Note("up " + std::to_string(key)); }
    void CharInput(char c) override { Note(std::string("char ") + c); }
    void MouseWheel(int delta) override { Note("wheel " + std::to_string(delta)); }
    void MouseMove(int x, int y) override { NoteAt("move", x, y); }
    void MouseDrag(int x, int y) override {
        if (x != mX || y != mY) {
            NoteAt("drag", x, y);
        }
    }
    void MouseDown(int x, int y, int clicks) override {
        NoteAt("press", x, y, " " + std::to_string(clicks));
        Widget::MouseDown(x, y, clicks);
    }
    void MouseUp(int x, int y, int clicks) override {
        NoteAt("release", x, y, " " + std::to_string(clicks));
        Widget::MouseUp(x, y, clicks);
    }
    void Note(const std::string& event) {
        log.push_back(std::to_string(mApp.mUpdateCount) + " " + event);
    }
    // Joins the application's widgets: the whole screen, with the focus.
    void Attach(VuroAppBase& app) {
        Resize(0, 0, app.mWidth, app.mHeight);
        app.mWidgetManager->AddWidget(this);
        app.mWidgetManager->SetFocus(this);
    }

    std::vector<std::string> log;

private:
    void NoteAt(const std::string& what, int x, int y, const std::string& more = "") {
        mX = x;
        mY = y;
        Note(what + " " + std::to_string(x) + "," + std::to_string(y) + more);
    }

    const VuroAppBase& mApp;
    int mX = 0; // the last point noted
    int mY = 0;
};

// Collects the debug output of the process while it lives.
// Scripted input for a recording: messages to one window as the platform's window sends them,
// listed by the update count they arrive at.
using InputScript = std::map<int, std::vector<Platform::Message>>;
struct WindowInput {
    uint32_t window;
    Platform::Message At(uint32_t message, int x, int y) const {
        return {window, message, 0, Platform::MakePointParam(x, y)};
    }
    Platform::Message Key(uint32_t message, int code) const {
        return {window, message, static_cast<uint64_t>(code), 0};
    }
};

inline constexpr const char* kDamagedStream = "Demo playback stopped: the record stream is damaged";

class DemoPlaybackFixture : public AppFixture {
protected:
    ~DemoPlaybackFixture() override {
        if (mApp.mWidgetManager != nullptr) {
            mApp.mWidgetManager->RemoveWidget(&mLog);
        }
    }
    // Writes the stream as a demo file of this program and starts the application playing it.
    void Play(const DemoStream& stream, int endTick = 1000) {
        DemoFile demo;
        demo.mSeed = 4321;
        demo.mProductVersion = mApp.mProductVersion;
        demo.mMarkers = mMarkers;
        demo.mEndTick = endTick;
        demo.mRecords = stream.Bytes();
        std::vector<uint8_t> bytes = demo.Write();
        std::ofstream(mFolder.Path("play.dmo"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        mApp.mDemoFileName = mFolder.Path("play.dmo");
        mApp.mPlayingDemoBuffer = true;
        mApp.mCmdLineParsed = true;
        mApp.Init();
        mLog.Attach(mApp);
    }
    // Steps until the update count reaches tick.
    bool StepToTick(int tick) {
        return StepUntil([&] { return mApp.mUpdateCount >= tick; });
    }

    TempFolder mFolder{"playback"};
    std::vector<DemoMarker> mMarkers;
    LogWidget mLog{mApp};
};

} // namespace Vuro::Test
