#pragma once
// An event source that hands the message pump exactly the messages a test scripts. Installs
// itself as the process's event source for its lifetime.
//
// - Add queues a message for the next pump; AddAt holds it back until the process clock reads
//   at least the given tick (so input can arrive at a chosen moment of a fake-clock run).
// - PostMessage (from the code under test) queues like Add.
// - PeekCalls counts every PeekMessage call: a pump that never runs leaves it unchanged.
// - Timers are only remembered (mTimers): a test scripts the timer messages it wants.

#include "platform/Clock.h"
#include "platform/EventSource.h"

#include <atomic>
#include <deque>
#include <vector>

namespace Vuro::Test {

class ScriptedEvents : public Platform::EventSource {
public:
    ScriptedEvents() { Platform::SetEventSource(this); }
    ~ScriptedEvents() override { Platform::SetEventSource(nullptr); }
    ScriptedEvents(const ScriptedEvents&) = delete;
    ScriptedEvents& operator=(const ScriptedEvents&) = delete;

    void Add(const Platform::Message& message) { mQueue.push_back({0, false, message}); }
    void AddAt(uint32_t tickMs, const Platform::Message& message) {
        mQueue.push_back({tickMs, true, message});
    }
    void SetMousePosition(int x, int y) {
        mMouseX = x;
        mMouseY = y;
    }
    int PeekCalls() const { return mPeekCalls; }
    size_t Waiting() const { return mQueue.size(); }

    bool PeekMessage(Platform::Message& message) override {
        ++mPeekCalls;
        if (mQueue.empty()) {
            return false;
        }
        const Entry& next = mQueue.front();
        uint32_t now = Platform::GetClock().TickMs();
        if (next.timed && static_cast<int32_t>(now - next.tickMs) < 0) {
            return false;
        }
        message = next.message;
        mQueue.pop_front();
        return true;
    }
    bool PostMessage(const Platform::Message& message) override {
        Add(message);
        return true;
    }
    void GetMousePosition(int& x, int& y) override {
        x = mMouseX;
        y = mMouseY;
    }
    void SetTimer(uint32_t window, uint32_t id, uint32_t intervalMs) override {
        KillTimer(window, id);
        mTimers.push_back({window, id, intervalMs});
    }
    void KillTimer(uint32_t window, uint32_t id) override {
        std::erase_if(mTimers, [&](const TimerSet& t) { return t.window == window && t.id == id; });
    }

    struct TimerSet {
        uint32_t window;
        uint32_t id;
        uint32_t intervalMs;
    };
    std::vector<TimerSet> mTimers;

private:
    struct Entry {
        uint32_t tickMs;
        bool timed;
        Platform::Message message;
    };
    std::deque<Entry> mQueue;
    int mPeekCalls = 0;
    std::atomic<int> mMouseX{0};
    std::atomic<int> mMouseY{0};
};

} // namespace Vuro::Test
