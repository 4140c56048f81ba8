#include "framework/util/SafeFileWrite.h"

#include "platform/FileSystem.h"

namespace Vuro {

bool WriteFileReplacing(const std::string& path, const std::function<bool(FILE*)>& writer) {
    const std::string temporary = path + ".tmp";
    FILE* file = Platform::OpenFile(temporary, "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = writer(file);
    // A failing flush or close means bytes never reached the file.
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || !Platform::RenameFile(temporary, path)) {
        Platform::RemoveFile(temporary);
        return false;
    }
    return true;
}

} // namespace Vuro
