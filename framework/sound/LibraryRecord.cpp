#include "framework/sound/LibraryRecord.h"

#include "platform/Process.h"
#include "platform/Window.h"

namespace Vuro {

void EndWithLibraryBox(const std::string& text) {
    Platform::GetWindowSystem().ShowMessageBox(text, "Error",
                                               Platform::kMbOk | Platform::kMbIconError);
    Platform::ExitProcess(1);
}

} // namespace Vuro
