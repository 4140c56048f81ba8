#include "tools/assetgen/gameart/SceneFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace Vuro::AssetGen {

double Prop::Number(const std::string& key, double fallback) const {
    auto found = mValues.find(key);
    if (found == mValues.end()) {
        return fallback;
    }
    return std::strtod(found->second.c_str(), nullptr);
}

std::string Prop::Text(const std::string& key, const std::string& fallback) const {
    auto found = mValues.find(key);
    return found == mValues.end() ? fallback : found->second;
}

bool ReadSceneFile(const std::filesystem::path& path, std::vector<ScenePicture>& out) {
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot read %s\n", path.c_str());
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind)) {
            continue;
        }
        if (kind == "picture") {
            ScenePicture picture;
            if (!(words >> picture.mName)) {
                std::fprintf(stderr, "%s:%d: picture without a name\n", path.c_str(), number);
                return false;
            }
            out.push_back(std::move(picture));
            continue;
        }
        if (out.empty()) {
            std::fprintf(stderr, "%s:%d: prop before the first picture\n", path.c_str(), number);
            return false;
        }
        Prop prop{kind, {}, number};
        std::string pair;
        while (words >> pair) {
            const size_t equals = pair.find('=');
            if (equals == std::string::npos || equals == 0) {
                std::fprintf(stderr, "%s:%d: '%s' is not key=value\n", path.c_str(), number,
                             pair.c_str());
                return false;
            }
            prop.mValues[pair.substr(0, equals)] = pair.substr(equals + 1);
        }
        out.back().mProps.push_back(std::move(prop));
    }
    return true;
}

} // namespace Vuro::AssetGen
