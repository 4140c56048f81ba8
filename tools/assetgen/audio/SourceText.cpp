#include "tools/assetgen/audio/SourceText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace Vuro::AssetGen {

namespace {

// A "#" that begins a word starts a comment; one inside a word is a sharp ("F#4").
size_t CommentStart(const std::string& text) {
    for (size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '#' &&
            (pos == 0 || std::isspace(static_cast<unsigned char>(text[pos - 1])))) {
            return pos;
        }
    }
    return std::string::npos;
}

} // namespace

bool SourceText::Load(const std::filesystem::path& path) {
    mPath = path;
    mLines.clear();
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot read %s\n", path.string().c_str());
        return false;
    }
    std::string text;
    int number = 0;
    while (std::getline(file, text)) {
        ++number;
        text = text.substr(0, CommentStart(text));
        std::istringstream words(text);
        SourceLine line{number, {}};
        std::string word;
        while (words >> word) {
            line.mWords.push_back(word);
        }
        if (!line.mWords.empty()) {
            mLines.push_back(std::move(line));
        }
    }
    return true;
}

bool SourceText::Fail(int line, const std::string& message) const {
    if (line > 0) {
        std::fprintf(stderr, "%s:%d: %s\n", mPath.string().c_str(), line, message.c_str());
    } else {
        std::fprintf(stderr, "%s: %s\n", mPath.string().c_str(), message.c_str());
    }
    return false;
}

bool ParseNumber(const std::string& word, double& value) {
    const char* text = word.c_str();
    char* end = nullptr;
    value = std::strtod(text, &end);
    if (end == text) {
        return false;
    }
    if (*end == '/') {
        const char* denominatorText = end + 1;
        const double denominator = std::strtod(denominatorText, &end);
        if (end == denominatorText || denominator == 0.0) {
            return false;
        }
        value /= denominator;
    }
    return *end == '\0' && std::isfinite(value);
}

} // namespace Vuro::AssetGen
