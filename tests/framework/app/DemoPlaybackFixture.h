#pragma once
// An application that plays back a demo file made from a test's record stream, with a widget
// holding the keyboard focus that logs the keys, characters and wheel steps it receives,
// each with the update count it arrived at.

#include "DemoStream.h"
#include "TestApp.h"

#include "framework/app/DemoFile.h"
#include "framework/widgets/Widget.h"
#include "platform/Process.h"
#include "support/TempFolder.h"

#include <fstream>
#include <string>
#include <vector>

namespace Vuro::Test {

class LogWidget : public Widget {
public:
    explicit LogWidget(const VuroAppBase& app) : mApp(app) {}
    void KeyDown(int key) override { Note("down " + std::to_string(key)); }
    void KeyUp(int key) override { Note("up " + std::to_string(key)); }
    void CharInput(char c) override { Note(std::string("char ") + c); }
    void MouseWheel(int delta) override { Note("wheel " + std::to_string(delta)); }
    void Note(const std::string& event) {
        log.push_back(std::to_string(mApp.mUpdateCount) + " " + event);
    }

    std::vector<std::string> log;

private:
    const VuroAppBase& mApp;
};

// Collects the debug output of the process while it lives.
class DebugOutputLog {
public:
    DebugOutputLog() : mPrevious(Platform::SetDebugOutputSink(&Collect)) { Text().clear(); }
    ~DebugOutputLog() { Platform::SetDebugOutputSink(mPrevious); }
    DebugOutputLog(const DebugOutputLog&) = delete;
    DebugOutputLog& operator=(const DebugOutputLog&) = delete;
    static std::string& Text() {
        static std::string text;
        return text;
    }

private:
    static void Collect(std::string_view text) { Text().append(text); }
    Platform::DebugOutputSink mPrevious;
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
        mApp.mWidgetManager->AddWidget(&mLog);
        mApp.mWidgetManager->SetFocus(&mLog);
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
