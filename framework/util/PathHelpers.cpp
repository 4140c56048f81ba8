#include "framework/util/PathHelpers.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <vector>

namespace Vuro {

namespace {

constexpr const char* kSeparators = "\\/";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Removes the last component of a folder that ends with a separator, keeping the separator
// before it. ".." as the last component cannot be walked back and gets another "..".
void WalkUp(std::string& folder, char separator) {
    size_t end = folder.size() - 1;
    size_t previous = end == 0 ? std::string::npos : folder.find_last_of(kSeparators, end - 1);
    size_t start = previous == std::string::npos ? 0 : previous + 1;
    if (folder.compare(start, end - start, "..") == 0) {
        folder += "..";
        folder += separator;
    } else if (end > 0) {
        folder.erase(start);
    }
    // A lone separator is the root, whose parent is itself.
}

} // namespace

std::string GetFileDir(const std::string& path, bool withSlash) {
    size_t slash = path.find_last_of(kSeparators);
    if (slash == std::string::npos) {
        return {};
    }
    return path.substr(0, withSlash ? slash + 1 : slash);
}

std::string RemoveTrailingSlash(const std::string& path) {
    if (!path.empty() && IsSeparator(path.back())) {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string AddTrailingSlash(const std::string& path, bool backSlash) {
    if (path.empty() || IsSeparator(path.back())) {
        return path;
    }
    return path + (backSlash ? '\\' : '/');
}

std::string GetPathFrom(const std::string& relativePath, const std::string& baseFolder) {
    if (relativePath.size() >= 2 && relativePath[1] == ':') {
        return relativePath;
    }
    bool anyBackslash =
        relativePath.find('\\') != std::string::npos || baseFolder.find('\\') != std::string::npos;
    char separator = anyBackslash ? '\\' : '/';

    std::string drive;
    std::string base = baseFolder;
    if (base.size() >= 2 && base[1] == ':') {
        drive = base.substr(0, 2);
        base.erase(0, 2);
    }
    if (!base.empty() && !IsSeparator(base.back())) {
        base += separator;
    }

    std::string rest = relativePath;
    while (!base.empty()) {
        size_t slash = rest.find_first_of(kSeparators);
        if (slash == std::string::npos) {
            break;
        }
        std::string component = rest.substr(0, slash);
        rest.erase(0, slash + 1);
        if (component == "..") {
            WalkUp(base, separator);
        } else if (component == ".") {
            continue;
        } else if (component.empty()) {
            base = std::string(1, separator);
            break;
        } else {
            base += component;
            base += separator;
            break;
        }
    }

    std::string result = drive + base + rest;
    char other = separator == '\\' ? '/' : '\\';
    std::replace(result.begin(), result.end(), other, separator);
    return result;
}

void MkDir(const std::string& path) {
    for (size_t i = 1; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            Platform::MakeDirectory(path.substr(0, i));
        }
    }
    if (!path.empty()) {
        Platform::MakeDirectory(path);
    }
}

bool DeleteTree(const std::string& folder) {
    if (folder.size() < 2) {
        return false;
    }
    std::string searchFolder = AddTrailingSlash(folder, true);
    std::vector<Platform::FileEntry> entries;
    // The platform search lists no "." and "..", so an empty folder finds nothing either.
    if (!Platform::FindFiles(searchFolder + "*.*", entries) && !Platform::IsDirectory(folder)) {
        return false;
    }
    bool allRemoved = true;
    for (const Platform::FileEntry& entry : entries) {
        std::string path = searchFolder + entry.name;
        bool removed =
            entry.isDirectory && !entry.isLink ? DeleteTree(path) : Platform::RemoveFile(path);
        allRemoved = allRemoved && removed;
    }
    return Platform::RemoveDirectory(folder) && allRemoved;
}

uint32_t GetFileDate(const std::string& path) {
    std::vector<Platform::FileEntry> entries;
    if (!Platform::FindFiles(path, entries)) {
        return 0;
    }
    auto first = std::min_element(entries.begin(), entries.end(),
                                  [](const auto& a, const auto& b) { return a.name < b.name; });
    return first->writeTime;
}

} // namespace Vuro
