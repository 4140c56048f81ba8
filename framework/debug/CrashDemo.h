#pragma once
// The demo of a run that crashes while it records: closed with a filler record at the update
// count of the crash and written whole, so that it plays back to the crash and travels with the
// report. A run that ends without waiting for its loading work closes and writes its demo the
// same way (VuroAppBase::EndLoadingThreadForExit). It is written inside the fault filter, so it
// reads only what was made before the fault (the file's name and header, prepared on the
// application's thread) and the live record stream, and writes with open, write and fsync:
// nothing is allocated, nothing locked.
//
// - PrepareCrashDemo fills `out` on the application's thread while a demo is recorded, and
//   empties it otherwise; it is made again whenever the crash information is published, so
//   markers added meanwhile are in the header.
// - WriteCrashDemo writes the file WriteDemoFile would write after the closing filler: header,
//   end tick (the update count at the crash), the record stream and the filler. False when
//   nothing is prepared or the file cannot be written whole. The stream is read as it stands:
//   a fault on another thread while the application's thread appends a record may catch that
//   record half written.

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro {

class VuroAppBase;

struct CrashDemo {
    std::string mPath;            // the demo file's name on disk; empty: none is recorded
    std::string mAttachArg;       // the report run's argument that sends it, as the OS takes it
    std::vector<uint8_t> mHeader; // the file's bytes before the end tick
};

void PrepareCrashDemo(const VuroAppBase& app, CrashDemo& out);
bool WriteCrashDemo(const CrashDemo& demo, const VuroAppBase& app);

} // namespace Vuro
