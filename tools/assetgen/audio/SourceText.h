#pragma once
// The text sources of the sound recipes and song scores: lines of words separated by blanks;
// a word beginning with "#" starts a comment that runs to the end of the line (a "#" inside a
// word is a sharp, as in "F#4"); blank lines are skipped. Errors name
// the file and line, as a compiler would, so a typo in a recipe is found at once.

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

struct SourceLine {
    int mNumber = 0; // 1-based line number in the file
    std::vector<std::string> mWords;
};

class SourceText {
public:
    // False, after a message, when the file cannot be read.
    [[nodiscard]] bool Load(const std::filesystem::path& path);
    const std::vector<SourceLine>& Lines() const { return mLines; }
    const std::filesystem::path& Path() const { return mPath; }

    // Writes "path:line: message" to stderr ("path: message" for line 0, the whole file) and
    // answers false, so parsers can `return source.Fail(...)`.
    bool Fail(int line, const std::string& message) const;

private:
    std::filesystem::path mPath;
    std::vector<SourceLine> mLines;
};

// A decimal number or a fraction "a/b" (for triplets: "1/3"). False when the word is neither.
[[nodiscard]] bool ParseNumber(const std::string& word, double& value);

} // namespace Vuro::AssetGen
