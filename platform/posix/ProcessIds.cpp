#include "platform/Process.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace Vuro::Platform {

int CurrentProcessId() {
    return static_cast<int>(getpid());
}

int ParentProcessId() {
    return static_cast<int>(getppid());
}

bool ProcessRuns(int id) {
    return id > 0 && (kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

} // namespace Vuro::Platform
