#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/RegistryDocument.h"
#include "platform/UserFolders.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace Vuro::Platform {

namespace {

// A settings file larger than this is not a settings file: it cannot be read.
constexpr long kMaxFileBytes = 16 * 1024 * 1024;

// What a settings file held: no document when the file does not exist or cannot be read.
struct Stored {
    std::optional<RegistryDocument> document;
    bool unreadable = false; // it exists but cannot be read
};

Stored Load(const std::string& path) {
    Stored stored;
    if (path.empty()) {
        return stored;
    }
    FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        stored.unreadable = FileExists(path);
        return stored;
    }
    std::string text;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        size = std::ftell(file);
    }
    if (size >= 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        text.resize(static_cast<size_t>(size));
        stored.unreadable = std::fread(text.data(), 1, text.size(), file) != text.size();
    } else {
        stored.unreadable = true;
    }
    std::fclose(file);
    if (!stored.unreadable) {
        stored.document = RegistryDocument::FromText(text);
    }
    return stored;
}

// Writes the document over what `stored` came from. A file that could not be read, or held
// lines the document lost, is kept aside first; when it cannot be, nothing is written. Nor is
// a file that Load would refuse to read: every setting in it would be lost.
bool Save(const std::string& path, const Stored& stored, const RegistryDocument& document,
          const std::string& appKey) {
    const std::string text = document.ToText("HKEY_LOCAL_MACHINE\\SOFTWARE\\" + appKey);
    if (text.size() > static_cast<size_t>(kMaxFileBytes)) {
        return false;
    }
    if (stored.unreadable && KeepFileAside(path, "could not be read").empty()) {
        return false;
    }
    if (stored.document && stored.document->Damaged() &&
        KeepFileAside(path, "is damaged").empty()) {
        return false;
    }
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) {
        return false;
    }
    return WriteFileReplacing(path, [&text](FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}

} // namespace

std::string FileRegistry::FileOf(const std::string& appKey) const {
    const std::string folder = KeyFolder(mRoot.empty() ? ConfigHome() : mRoot, appKey);
    return folder.empty() ? folder : folder + ".reg";
}

bool FileRegistry::KeyExists(const std::string& appKey, const std::string& subKey) {
    const Stored stored = Load(FileOf(appKey));
    return stored.document && stored.document->HasKey(subKey);
}

bool FileRegistry::CreateKey(const std::string& appKey, const std::string& subKey) {
    const std::string path = FileOf(appKey);
    if (path.empty()) {
        return false;
    }
    const Stored stored = Load(path);
    if (stored.document && stored.document->HasKey(subKey)) {
        return true;
    }
    RegistryDocument changed = stored.document.value_or(RegistryDocument());
    changed.AddKey(subKey);
    return Save(path, stored, changed, appKey);
}

bool FileRegistry::SetValue(const std::string& appKey, const std::string& subKey,
                            const std::string& name, uint32_t type, const uint8_t* data,
                            uint32_t length) {
    const std::string path = FileOf(appKey);
    const Stored stored = Load(path);
    if (!stored.document) {
        return false;
    }
    RegistryDocument changed = *stored.document;
    return changed.Set(subKey, name, type, data, length) && Save(path, stored, changed, appKey);
}

RegResult FileRegistry::QueryValue(const std::string& appKey, const std::string& subKey,
                                   const std::string& name, uint32_t& type, uint8_t* data,
                                   uint32_t& length) {
    const Stored stored = Load(FileOf(appKey));
    if (stored.unreadable) {
        return RegResult::Failed;
    }
    if (!stored.document) {
        return RegResult::NoKey;
    }
    return stored.document->Query(subKey, name, type, data, length);
}

bool FileRegistry::DeleteValue(const std::string& appKey, const std::string& subKey,
                               const std::string& name) {
    const std::string path = FileOf(appKey);
    const Stored stored = Load(path);
    if (!stored.document) {
        return false;
    }
    RegistryDocument changed = *stored.document;
    return changed.Erase(subKey, name) && Save(path, stored, changed, appKey);
}

namespace {

std::atomic<Registry*> gRegistry{nullptr};

FileRegistry& TheFileRegistry() {
    static FileRegistry registry;
    return registry;
}

} // namespace

Registry& GetRegistry() {
    Registry* registry = gRegistry.load(std::memory_order_acquire);
    return registry ? *registry : TheFileRegistry();
}

void SetRegistry(Registry* registry) {
    gRegistry.store(registry, std::memory_order_release);
}

} // namespace Vuro::Platform
