#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/RegistryDocument.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace Vuro::Platform {

namespace {

// A settings file larger than this is not a settings file: it cannot be read.
constexpr long kMaxFileBytes = 16 * 1024 * 1024;

std::string ConfigRoot() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.config";
}

// The document of a file: empty optional when the file does not exist; `unreadable` when it
// exists but cannot be read (it must then not be overwritten).
std::optional<RegistryDocument> Load(const std::string& path, bool& unreadable) {
    unreadable = false;
    FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        unreadable = FileExists(path);
        return std::nullopt;
    }
    std::string text;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        size = std::ftell(file);
    }
    if (size >= 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        text.resize(static_cast<size_t>(size));
        unreadable = std::fread(text.data(), 1, text.size(), file) != text.size();
    } else {
        unreadable = true;
    }
    std::fclose(file);
    if (unreadable) {
        return std::nullopt;
    }
    return RegistryDocument::FromText(text);
}

// Moves a file that could not be read out of the way under a new name, so that starting a new
// one loses nothing; false when it could not be moved.
bool SetAside(const std::string& path) {
    std::string aside = path + ".unreadable";
    for (int n = 1; FileExists(aside) || IsDirectory(aside); ++n) {
        aside = path + ".unreadable." + std::to_string(n);
    }
    if (!RenameFile(path, aside)) {
        return false;
    }
    std::fprintf(stderr, "Settings file %s could not be read; it is kept as %s\n", path.c_str(),
                 aside.c_str());
    return true;
}

bool MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (!IsDirectory(folder) && !MakeDirectory(folder)) {
            return false;
        }
    }
    return true;
}

bool Save(const std::string& path, const RegistryDocument& document, const std::string& title) {
    if (!MakeFolders(path)) {
        return false;
    }
    const std::string text = document.ToText(title);
    return WriteFileReplacing(path, [&text](FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}

std::string TitleOf(const std::string& appKey) {
    return "HKEY_LOCAL_MACHINE\\SOFTWARE\\" + appKey;
}

} // namespace

std::string FileRegistry::FileOf(const std::string& appKey) const {
    std::string path = mRoot.empty() ? ConfigRoot() : mRoot;
    bool any = false;
    size_t start = 0;
    while (start <= appKey.size()) {
        size_t end = appKey.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = appKey.size();
        }
        std::string part = appKey.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (part == "." || part == "..") {
            return std::string();
        }
        path += "/" + part;
        any = true;
    }
    return any ? path + ".reg" : std::string();
}

bool FileRegistry::KeyExists(const std::string& appKey, const std::string& subKey) {
    std::string path = FileOf(appKey);
    bool unreadable = false;
    auto document = path.empty() ? std::nullopt : Load(path, unreadable);
    return document && document->HasKey(subKey);
}

bool FileRegistry::CreateKey(const std::string& appKey, const std::string& subKey) {
    std::string path = FileOf(appKey);
    if (path.empty()) {
        return false;
    }
    bool unreadable = false;
    auto document = Load(path, unreadable);
    if (unreadable && !SetAside(path)) {
        return false;
    }
    if (document && document->HasKey(subKey)) {
        return true;
    }
    RegistryDocument changed = document ? std::move(*document) : RegistryDocument();
    changed.AddKey(subKey);
    return Save(path, changed, TitleOf(appKey));
}

bool FileRegistry::SetValue(const std::string& appKey, const std::string& subKey,
                            const std::string& name, uint32_t type, const uint8_t* data,
                            uint32_t length) {
    std::string path = FileOf(appKey);
    bool unreadable = false;
    auto document = path.empty() ? std::nullopt : Load(path, unreadable);
    if (!document || !document->Set(subKey, name, type, data, length)) {
        return false;
    }
    return Save(path, *document, TitleOf(appKey));
}

RegResult FileRegistry::QueryValue(const std::string& appKey, const std::string& subKey,
                                   const std::string& name, uint32_t& type, uint8_t* data,
                                   uint32_t& length) {
    std::string path = FileOf(appKey);
    bool unreadable = false;
    auto document = path.empty() ? std::nullopt : Load(path, unreadable);
    if (unreadable) {
        return RegResult::Failed;
    }
    if (!document) {
        return RegResult::NoKey;
    }
    return document->Query(subKey, name, type, data, length);
}

bool FileRegistry::DeleteValue(const std::string& appKey, const std::string& subKey,
                               const std::string& name) {
    std::string path = FileOf(appKey);
    bool unreadable = false;
    auto document = path.empty() ? std::nullopt : Load(path, unreadable);
    if (!document || !document->Erase(subKey, name)) {
        return false;
    }
    return Save(path, *document, TitleOf(appKey));
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
