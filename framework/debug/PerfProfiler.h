#pragma once
// The section profiler: while it runs, a product appends start and stop events of named
// sections (PerfAddEvent, one append each); PerfStop folds them into per-section totals and
// PerfGetResults prints them. Events are stamped with the processor's cycle counter where the
// clock has one, else its high-resolution counter; times come out in milliseconds at the rate
// PerformanceTimer::EstimateCpuSpeed gives.
//
// - Nested starts of one section count every call but time only the outermost pair.
// - A stop without a started section is ignored.
// - Main thread only; the tables live for the whole process.
// - Nothing in this system produces events, so a profile shows its total time only.

#include <cstdint>
#include <string>

namespace Vuro {

// One event; the name must outlive the profile (a string literal).
struct PerfSectionEvent {
    const char* mName;
    uint64_t mStamp; // cycle or counter value
    bool mStart;     // start, else stop
};

bool PerfIsRunning();
// Empties the tables and stamps the start; with stayStopped no events are taken.
void PerfStart(bool stayStopped = false);
void PerfStop();
// Appends an event stamped now; nothing while the profiler is stopped.
void PerfAddEvent(const char* name, bool start);
// Folds one event into the section table.
void PerfRecordSection(const PerfSectionEvent& event);
// "Total Time: ..." and a line per section in name order.
std::string PerfGetResults();

} // namespace Vuro
