#pragma once
// The text sources of the menu art under assets/menuart/: the captions painted into pictures
// (captions.txt) and the stage map's layout (map.txt): its click regions, level points and
// locks as the map screen uses them, so the painted land matches what a click selects.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct RegionRect {
    int mRegion;            // 1..6
    int mX0, mY0, mX1, mY1; // inclusive
};

struct MapPoint {
    int mX, mY; // top-left corner of the point's 20 x 20 box
};

struct MenuArtSources {
    // Caption lines by key (a picture name, or a name and a suffix); "|" in the file breaks lines.
    std::map<std::string, std::vector<std::string>> mCaptions;
    std::vector<RegionRect> mRegionRects; // in the order the map tests them
    std::vector<MapPoint> mStoryPoints;   // levels 0..42
    std::vector<int> mStageFirstLevels;   // first level of stages 1..6
    std::vector<MapPoint> mLocks;         // lock of stages 2..6
    std::vector<MapPoint> mHighlights;    // where the map draws the highlight of stages 1..6

    // The caption's lines; a missing key is a fault of the sources: the tool ends with a message.
    const std::vector<std::string>& Caption(const std::string& key) const;
    const std::string& Line(const std::string& key) const { return Caption(key).front(); }
};

// Reads both files; false with a message naming the file and line.
bool ReadMenuArtSources(const std::filesystem::path& folder, MenuArtSources* out,
                        std::string* error);

} // namespace Vuro::AssetGen
