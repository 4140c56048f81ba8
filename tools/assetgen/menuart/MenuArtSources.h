#pragma once
// The text sources of the menu art under assets/menuart/: the captions painted into pictures
// (captions.txt). The stage map's layout is the map screen's own (game/screens/StageTables.h).

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct MenuArtSources {
    // Caption lines by key (a picture name, or a name and a suffix); "|" in the file breaks lines.
    std::map<std::string, std::vector<std::string>> mCaptions;

    // The caption's lines; a missing key is a fault of the sources: the tool ends with a message.
    const std::vector<std::string>& Caption(const std::string& key) const;
    const std::string& Line(const std::string& key) const { return Caption(key).front(); }
};

// Reads the captions; false with a message naming the file and line.
bool ReadMenuArtSources(const std::filesystem::path& folder, MenuArtSources* out,
                        std::string* error);

} // namespace Vuro::AssetGen
