#include "platform/Process.h"

#include <unistd.h>

namespace Vuro::Platform {

int CurrentProcessId() {
    return static_cast<int>(getpid());
}

int ParentProcessId() {
    return static_cast<int>(getppid());
}

} // namespace Vuro::Platform
