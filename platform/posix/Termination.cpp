#include "platform/Termination.h"

#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace Vuro::Platform {

namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGINT, SIGHUP};
// How often a wait for an answer looks whether the program was asked to end: a handler may not
// wake a waiting thread itself.
constexpr auto kRequestPoll = std::chrono::milliseconds(50);

std::atomic<bool> gWatching{false};
std::atomic<bool> gRequested{false}; // lock-free, so the handler may set it
pid_t gProcessId = 0;
// Set on a thread that asks the user: what it forks shows the question and ends with us.
thread_local bool tAsking = false;

void NoteRequest(int /*signal*/) {
    gRequested.store(true);
}

// Runs in the child of every fork that runs fork handlers (not posix_spawn, not the crash
// reporter's): a box process ends when the thread that asks ends, which is at the latest when
// the process ends, and a request to end it ends it.
void OnForkedChild() {
    if (!tAsking) {
        return;
    }
    (void)prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != gProcessId) {
        _exit(0); // the program ended before the line above could take effect
    }
    for (int number : kWatchedSignals) {
        signal(number, SIG_DFL);
    }
}

struct Answer {
    std::mutex lock;
    std::condition_variable given;
    bool ready = false;
    int value = 0;
};

} // namespace

void WatchTerminationRequests() {
    if (gWatching.exchange(true)) {
        return;
    }
    gProcessId = getpid();
    (void)pthread_atfork(nullptr, nullptr, &OnForkedChild);
    struct sigaction action {};
    action.sa_handler = &NoteRequest;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes carry on; the next request finds the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int number : kWatchedSignals) {
        struct sigaction previous {};
        if (sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            (void)sigaction(number, &action, nullptr);
        }
    }
}

bool TerminationRequested() {
    return gRequested.load();
}

int AnswerUnlessTerminated(std::function<int()> ask, int unanswered) {
    if (!gWatching) {
        return ask();
    }
    if (TerminationRequested()) {
        return unanswered;
    }
    auto answer = std::make_shared<Answer>();
    auto run = [answer, ask] {
        tAsking = true;
        const int value = ask();
        std::lock_guard<std::mutex> lock(answer->lock);
        answer->value = value;
        answer->ready = true;
        answer->given.notify_all();
    };
    std::thread asking;
    try {
        asking = std::thread(run);
    } catch (const std::system_error&) {
        return ask(); // no thread to be had: ask here, as without watching
    }
    std::unique_lock<std::mutex> lock(answer->lock);
    while (!answer->ready && !TerminationRequested()) {
        answer->given.wait_for(lock, kRequestPoll);
    }
    const bool answered = answer->ready;
    lock.unlock();
    if (!answered) {
        asking.detach(); // still waiting for its user: it ends with the process
        return unanswered;
    }
    asking.join();
    return answer->value;
}

} // namespace Vuro::Platform
