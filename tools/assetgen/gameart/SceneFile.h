#pragma once
// The scenery's source: assets/gameart/scenery.txt lists each scenery picture and the props
// drawn into it, back to front, one per line:
//
//   picture images/granny          # a new picture (the field's size)
//   hills y=262 amp=14 tone=hillfar seed=3
//
// A prop is a name and key=value pairs; values are numbers, or colour names for keys that
// take a colour. Comments start with '#'.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct Prop {
    std::string mKind;
    std::map<std::string, std::string> mValues;
    int mLine = 0;

    double Number(const std::string& key, double fallback) const;
    std::string Text(const std::string& key, const std::string& fallback) const;
};

struct ScenePicture {
    std::string mName;
    std::vector<Prop> mProps;
};

// Reads the file; false with a message naming the file and line when it cannot be read or a
// line is not a prop.
bool ReadSceneFile(const std::filesystem::path& path, std::vector<ScenePicture>& out);

} // namespace Vuro::AssetGen
