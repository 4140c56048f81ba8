#include "framework/debug/PerfProfiler.h"

#include "framework/debug/PerformanceTimer.h"
#include "framework/util/StringHelpers.h"
#include "platform/Clock.h"

#include <map>
#include <vector>

namespace Vuro {

namespace {

struct PerfSectionRecord {
    int mDepth = 0;
    int mCalls = 0;
    uint64_t mStartStamp = 0;
    uint64_t mTotalTicks = 0;
    uint64_t mLongestTicks = 0;
    double mTotalMs = 0.0; // after a stop
    double mLongestMs = 0.0;
};

struct Profiler {
    bool mRunning = false;
    uint64_t mStartStamp = 0;
    std::vector<PerfSectionEvent> mEvents;
    std::map<std::string, PerfSectionRecord> mSections;
    double mTotalTimeMs = 0.0;
};

Profiler& State() {
    static Profiler profiler;
    return profiler;
}

// The cycle counter where there is one, as EstimateCpuSpeed measures its rate.
uint64_t Stamp() {
    Platform::Clock& clock = Platform::GetClock();
    uint64_t cycles = 0;
    return clock.ReadCycleCounter(cycles) ? cycles : clock.CounterTicks();
}

} // namespace

bool PerfIsRunning() {
    return State().mRunning;
}

void PerfStart(bool stayStopped) {
    Profiler& p = State();
    p.mSections.clear();
    p.mEvents.clear();
    if (!stayStopped) {
        p.mRunning = true;
    }
    p.mStartStamp = Stamp();
}

void PerfAddEvent(const char* name, bool start) {
    Profiler& p = State();
    if (p.mRunning) {
        p.mEvents.push_back(PerfSectionEvent{name, Stamp(), start});
    }
}

void PerfRecordSection(const PerfSectionEvent& event) {
    Profiler& p = State();
    if (event.mStart) {
        PerfSectionRecord& record = p.mSections[event.mName];
        ++record.mCalls;
        if (++record.mDepth == 1) {
            record.mStartStamp = event.mStamp;
        }
        return;
    }
    auto found = p.mSections.find(event.mName);
    // A stop deeper than its starts is ignored too, so the depth never goes below zero.
    if (found == p.mSections.end() || found->second.mDepth <= 0) {
        return;
    }
    PerfSectionRecord& record = found->second;
    if (--record.mDepth == 0) {
        uint64_t duration = event.mStamp - record.mStartStamp;
        record.mTotalTicks += duration;
        if (duration > record.mLongestTicks) {
            record.mLongestTicks = duration;
        }
    }
}

void PerfStop() {
    Profiler& p = State();
    // The total ends before the folding starts, so the folding time stays out of it.
    uint64_t end = Stamp();
    for (const PerfSectionEvent& event : p.mEvents) {
        PerfRecordSection(event);
    }
    p.mEvents.clear();
    p.mRunning = false;
    double speed = static_cast<double>(PerformanceTimer::EstimateCpuSpeed());
    p.mTotalTimeMs = static_cast<double>(end - p.mStartStamp) * 1000.0 / speed;
    for (auto& [name, record] : p.mSections) {
        record.mTotalMs = static_cast<double>(record.mTotalTicks) * 1000.0 / speed;
        record.mLongestMs = static_cast<double>(record.mLongestTicks) * 1000.0 / speed;
    }
}

std::string PerfGetResults() {
    const Profiler& p = State();
    std::string text = StrFormat("Total Time: %.2f\n", p.mTotalTimeMs);
    for (const auto& [name, record] : p.mSections) {
        // A profile of no measurable length shares nothing out rather than dividing by zero.
        double share = p.mTotalTimeMs > 0.0 ? record.mTotalMs / p.mTotalTimeMs * 100.0 : 0.0;
        double average = record.mCalls > 0 ? record.mTotalMs / record.mCalls : 0.0;
        text +=
            StrFormat("%s (%d calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", name.c_str(),
                      record.mCalls, share, record.mTotalMs, average, record.mLongestMs);
    }
    return text;
}

} // namespace Vuro
