#pragma once
// A file the writers fill: opened for writing with a message naming it when that fails, and
// closed with a check that every byte reached the disk.

#include <cstdio>
#include <filesystem>
#include <memory>

namespace Vuro::AssetGen {

struct OutputFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using OutputFile = std::unique_ptr<FILE, OutputFileCloser>;

inline OutputFile OpenOutputFile(const std::filesystem::path& path) {
    OutputFile file(std::fopen(path.string().c_str(), "wb"));
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
    }
    return file;
}

inline bool CloseOutputFile(OutputFile file, const std::filesystem::path& path) {
    const bool ok = std::ferror(file.get()) == 0 && std::fclose(file.release()) == 0;
    if (!ok) {
        std::fprintf(stderr, "assetgen: error while writing %s\n", path.string().c_str());
    }
    return ok;
}

} // namespace Vuro::AssetGen
