// Feeds arbitrary bytes to the demo file reader and plays back whatever it accepts, the way
// the application does: input records through the replay, value records (registry, file,
// synchronised buffers) through the readers that ask for them at their tick.

#include "framework/app/DemoFile.h"
#include "framework/app/DemoRecord.h"
#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The product version the seed files carry.
constexpr const char* kVersion = "fuzz";

class FuzzApp : public Vuro::VuroAppBase {
public:
    FuzzApp() {
        mOnlyAllowOneCopyToRun = false;
        mProductVersion = kVersion;
        mRegKey = "Fuzz";
    }
};

// Reads the value record due now as the code that asks for it would.
void AskForValue(FuzzApp& app, int code) {
    using namespace Vuro::DemoRecord;
    Vuro::Buffer buffer;
    uint8_t word[4] = {};
    uint32_t type = 0;
    uint32_t length = sizeof word;
    switch (code) {
    case kRegistryRead:
        (void)app.ReadRegValue("Value", type, word, length);
        if (length > sizeof word) {
            std::abort(); // a replayed read must never claim more than the caller's buffer
        }
        break;
    case kRegistryWrite:
        (void)app.WriteRegInt("Value", 1);
        break;
    case kFileRead:
        (void)app.ReadBufferFromFile("fuzz.bin", buffer);
        break;
    case kSyncBuffer:
        app.SyncDemoBuffer(buffer);
        break;
    default:
        app.ReplayDemoInput();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::DemoFile demo;
    std::string error;
    if (!demo.Read(data, size, kVersion, error)) {
        if (error.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    Vuro::StackApp<FuzzApp> app;
    app.mPlayingDemoBuffer = true;
    app.mDemoMarkerList = demo.mMarkers;
    app.mDemoEndTick = demo.mEndTick;
    app.mDemoBuffer.SetData(demo.mRecords.data(), static_cast<int>(demo.mRecords.size()));
    // Every pass consumes a record or moves time to the next one; the stream is finite.
    while (app.DemoRecordsLeft() && !app.mShutdownRequested && !app.mShutdown) {
        if (!app.ReadDemoUpdateDelta()) {
            app.mUpdateCount = app.mDemoNextUpdate;
            continue;
        }
        AskForValue(app, app.mDemoIsMouseRecord ? -1 : app.mDemoRecordCode);
    }
    app.DemoPlaybackKey('0');
    return 0;
}
