// Simple working bodies of operations whose full versions come with their own files: demo
// replay. Each section is self-contained; a file that brings the full version of a section
// deletes that section here.

#include "framework/app/VuroAppBase.h"

namespace Vuro {

// ---- [Demo recording and playback] ----
// No demo is recorded or played yet.

void VuroAppBase::ReplayDemoInput() {}

bool VuroAppBase::IsDemoRecordDue() {
    return false;
}

void VuroAppBase::RecordLoadingDone() {}

void VuroAppBase::SyncDemoString(std::string&) {}

} // namespace Vuro
