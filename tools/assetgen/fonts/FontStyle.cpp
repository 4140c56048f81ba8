#include "tools/assetgen/fonts/FontStyle.h"

#include <fstream>
#include <sstream>

namespace Vuro::AssetGen {

namespace {

// The folder of fonts-dejavu-core, which scripts/setup.sh installs.
const std::filesystem::path kDejaVuFolder = "/usr/share/fonts/truetype/dejavu";

bool ReadColor(const std::string& text, uint32_t* out) {
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    size_t used = 0;
    try {
        *out = static_cast<uint32_t>(std::stoul(text.substr(1), &used, 16));
    } catch (const std::exception&) {
        return false;
    }
    return used == 6;
}

// A comment is a '#' followed by a blank or ending the line, so colours like #3a2616 stay.
std::string WithoutComment(const std::string& line) {
    for (size_t i = line.find('#'); i != std::string::npos; i = line.find('#', i + 1)) {
        if (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t') {
            return line.substr(0, i);
        }
    }
    return line;
}

// One "key value..." entry; false when the key is unknown or its values do not read.
bool ReadEntry(const std::string& key, std::istringstream& values, FontStyle* out) {
    if (key == "face") {
        std::string face;
        if (!(values >> face)) {
            return false;
        }
        out->mFace = face.find('/') == std::string::npos ? kDejaVuFolder / face
                                                         : std::filesystem::path(face);
        return true;
    }
    if (key == "pixels") {
        return static_cast<bool>(values >> out->mPixels) && out->mPixels > 0;
    }
    if (key == "shade") {
        return static_cast<bool>(values >> out->mShade) && out->mShade >= 0 && out->mShade <= 1;
    }
    if (key == "outline") {
        std::string color;
        return static_cast<bool>(values >> out->mOutlineRadius >> color) &&
               out->mOutlineRadius > 0 && ReadColor(color, &out->mOutlineColor);
    }
    if (key == "spacing") {
        return static_cast<bool>(values >> out->mSpacing);
    }
    return false;
}

} // namespace

bool ReadFontStyle(const std::filesystem::path& file, FontStyle* out, std::string* error) {
    *out = {};
    std::ifstream in(file);
    if (!in) {
        *error = "cannot read " + file.string();
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = WithoutComment(line);
        std::istringstream values(line);
        std::string key;
        if (!(values >> key)) {
            continue;
        }
        std::string rest;
        if (!ReadEntry(key, values, out) || values >> rest) {
            *error = file.string() + ":" + std::to_string(number) + ": bad entry '" + key + "'";
            return false;
        }
    }
    if (out->mFace.empty() || out->mPixels == 0) {
        *error = file.string() + ": face and pixels are required";
        return false;
    }
    return true;
}

} // namespace Vuro::AssetGen
