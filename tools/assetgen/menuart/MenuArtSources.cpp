#include "tools/assetgen/menuart/MenuArtSources.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace Vuro::AssetGen {

namespace {

// Calls `line` with each line that is not blank or a comment ('#' first), and its number.
template <typename LineFn>
bool ForEachLine(const std::filesystem::path& file, std::string* error, LineFn line) {
    std::ifstream in(file);
    if (!in) {
        *error = "cannot read " + file.string();
        return false;
    }
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') {
            continue;
        }
        if (!line(text.substr(first))) {
            *error = file.string() + ":" + std::to_string(number) + ": cannot read '" + text + "'";
            return false;
        }
    }
    return true;
}

bool ReadCaption(const std::string& text, MenuArtSources* out) {
    const size_t keyEnd = text.find_first_of(" \t");
    const size_t start =
        keyEnd == std::string::npos ? keyEnd : text.find_first_not_of(" \t", keyEnd);
    if (start == std::string::npos) {
        return false;
    }
    std::vector<std::string> lines;
    std::string rest = text.substr(start);
    for (size_t bar; (bar = rest.find('|')) != std::string::npos; rest = rest.substr(bar + 1)) {
        lines.push_back(rest.substr(0, bar));
    }
    lines.push_back(rest);
    return out->mCaptions.emplace(text.substr(0, keyEnd), lines).second;
}

} // namespace

const std::vector<std::string>& MenuArtSources::Caption(const std::string& key) const {
    auto found = mCaptions.find(key);
    if (found == mCaptions.end()) {
        std::fprintf(stderr, "assetgen menuart: no caption '%s' in captions.txt\n", key.c_str());
        std::exit(1);
    }
    return found->second;
}

bool ReadMenuArtSources(const std::filesystem::path& folder, MenuArtSources* out,
                        std::string* error) {
    *out = {};
    return ForEachLine(folder / "captions.txt", error,
                       [out](const std::string& text) { return ReadCaption(text, out); });
}

} // namespace Vuro::AssetGen
