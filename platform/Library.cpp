#include "platform/Library.h"

#include "platform/BassLibrary.h"
#include "platform/DirectDraw.h"
#include "platform/FmodLibrary.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace Vuro::Platform {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::mutex& InstalledMutex() {
    static std::mutex mutex;
    return mutex;
}

// Installed modules by lower-case name; a null module hides the name.
std::map<std::string, const LibraryModule*>& Installed() {
    static std::map<std::string, const LibraryModule*> installed;
    return installed;
}

} // namespace

const LibraryModule* FindBuiltInLibrary(const std::string& name) {
    static const LibraryModule* const kBuiltIn[] = {&BassModule(), &FmodModule(),
                                                    &DirectDrawModule()};
    const std::string key = Lower(name);
    for (const LibraryModule* module : kBuiltIn) {
        if (Lower(module->name) == key) {
            return module;
        }
    }
    return nullptr;
}

const LibraryModule* LoadLibrary(const std::string& name) {
    {
        std::lock_guard lock(InstalledMutex());
        auto found = Installed().find(Lower(name));
        if (found != Installed().end()) {
            return found->second;
        }
    }
    return FindBuiltInLibrary(name);
}

ProcAddress GetProcAddress(const LibraryModule* module, const std::string& name) {
    if (module == nullptr) {
        return nullptr;
    }
    for (const LibraryExport& entry : module->exports) {
        if (name == entry.name) {
            return entry.address;
        }
    }
    return nullptr;
}

void FreeLibrary(const LibraryModule*) {}

void HideLibrary(const std::string& name) {
    std::lock_guard lock(InstalledMutex());
    Installed()[Lower(name)] = nullptr;
}

void InstallLibrary(const std::string& name, const LibraryModule* module) {
    std::lock_guard lock(InstalledMutex());
    if (module == nullptr) {
        Installed().erase(Lower(name));
    } else {
        Installed()[Lower(name)] = module;
    }
}

} // namespace Vuro::Platform
