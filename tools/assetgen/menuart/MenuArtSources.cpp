#include "tools/assetgen/menuart/MenuArtSources.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

bool ReadMapEntry(const std::string& text, MenuArtSources* out) {
    std::istringstream in(text);
    std::string kind;
    in >> kind;
    std::string rest;
    if (kind == "region") {
        RegionRect r{};
        return static_cast<bool>(in >> r.mRegion >> r.mX0 >> r.mY0 >> r.mX1 >> r.mY1) &&
               !(in >> rest) && r.mRegion >= 1 && r.mRegion <= 6 &&
               (out->mRegionRects.push_back(r), true);
    }
    if (kind == "point" || kind == "lock" || kind == "highlight") {
        MapPoint p{};
        if (!(in >> p.mX >> p.mY) || in >> rest) {
            return false;
        }
        (kind == "point"  ? out->mStoryPoints
         : kind == "lock" ? out->mLocks
                          : out->mHighlights)
            .push_back(p);
        return true;
    }
    if (kind == "stages") {
        for (int level; in >> level;) {
            out->mStageFirstLevels.push_back(level);
        }
        return in.eof() && out->mStageFirstLevels.size() == 6;
    }
    return false;
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
    if (!ForEachLine(folder / "captions.txt", error,
                     [out](const std::string& text) { return ReadCaption(text, out); }) ||
        !ForEachLine(folder / "map.txt", error,
                     [out](const std::string& text) { return ReadMapEntry(text, out); })) {
        return false;
    }
    if (out->mStoryPoints.size() != 43 || out->mLocks.size() != 5 || out->mHighlights.size() != 6) {
        *error = (folder / "map.txt").string() + ": 43 points, 5 locks and 6 highlights expected";
        return false;
    }
    return true;
}

} // namespace Vuro::AssetGen
