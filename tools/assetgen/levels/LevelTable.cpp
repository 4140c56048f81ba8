#include "tools/assetgen/levels/LevelTable.h"

#include "tools/assetgen/SourceFile.h"
#include "tools/assetgen/audio/SourceText.h"

#include <string>

namespace Vuro::AssetGen {

namespace {

constexpr int kDefaultTreeY = 190;
constexpr char kKindLetters[] = "APLO";

// Numbers separated by separator, exactly count of them.
template <size_t N>
bool ParseNumbers(std::string_view text, char separator, std::array<int, N>& values) {
    std::vector<std::string> pieces = SplitText(text, separator);
    if (pieces.size() != N) {
        return false;
    }
    for (size_t i = 0; i < N; ++i) {
        if (!ParseInt(pieces[i], values[i])) {
            return false;
        }
    }
    return true;
}

// K<x>[/<y>]:<columns>x<rows>
bool ParseTree(const std::string& text, TreeEntry& tree) {
    std::string_view kinds = kKindLetters;
    size_t colon = text.find(':');
    if (text.empty() || kinds.find(text[0]) == std::string_view::npos ||
        colon == std::string::npos) {
        return false;
    }
    tree.mKind = static_cast<int>(kinds.find(text[0])) + 1;
    std::vector<std::string> place = SplitText(text.substr(1, colon - 1), '/');
    std::array<int, 2> grid{};
    tree.mY = kDefaultTreeY;
    bool placed = ParseInt(place[0], tree.mX) &&
                  (place.size() == 1 || (place.size() == 2 && ParseInt(place[1], tree.mY)));
    if (!placed || !ParseNumbers(std::string_view(text).substr(colon + 1), 'x', grid)) {
        return false;
    }
    tree.mColumns = grid[0];
    tree.mRows = grid[1];
    return true;
}

bool ParseTrees(const std::string& text, std::vector<TreeEntry>& trees) {
    for (const std::string& piece : SplitText(text, ',')) {
        TreeEntry tree{};
        if (!ParseTree(piece, tree)) {
            return false;
        }
        trees.push_back(tree);
    }
    return true;
}

// <code>@<second>,... or -
bool ParseTips(const std::string& text, std::vector<TipEntry>& tips) {
    if (text == "-") {
        return true;
    }
    for (const std::string& piece : SplitText(text, ',')) {
        std::array<int, 2> tip{};
        if (!ParseNumbers(piece, '@', tip)) {
            return false;
        }
        tips.push_back({tip[0], tip[1]});
    }
    return true;
}

// <second>=<birds>,...
bool ParseWaves(const std::string& text, std::vector<WaveEntry>& waves) {
    for (const std::string& piece : SplitText(text, ',')) {
        size_t equals = piece.find('=');
        WaveEntry wave{};
        if (equals == std::string::npos || !ParseInt(piece.substr(0, equals), wave.mSecond) ||
            !ParseNumbers(std::string_view(piece).substr(equals + 1), '/', wave.mBirds)) {
            return false;
        }
        waves.push_back(wave);
    }
    return true;
}

bool ParseRow(const std::vector<std::string>& words, bool survival, LevelRow& row) {
    if (words.size() != (survival ? 7u : 9u) || (words[2] != "day" && words[2] != "night")) {
        return false;
    }
    row.mDay = words[2] == "day";
    bool ok = ParseInt(words[0], row.mLevel) && ParseInt(words[1], row.mTime) &&
              ParseTrees(words[3], row.mTrees) && ParseNumbers(words[4], '/', row.mGoals);
    if (survival) {
        return ok && ParseWaves(words[5], row.mWaves) && ParseTips(words[6], row.mTips);
    }
    return ok && ParseNumbers(words[5], '/', row.mBirds) && ParseInt(words[6], row.mHedgehogs) &&
           (words[7] == "-" || ParseInt(words[7], row.mRainSecond)) &&
           ParseTips(words[8], row.mTips);
}

} // namespace

bool ReadLevelTable(const std::filesystem::path& path, bool survival, std::vector<LevelRow>& rows) {
    SourceText source;
    if (!source.Load(path)) {
        return false;
    }
    for (const SourceLine& line : source.Lines()) {
        LevelRow row;
        if (!ParseRow(line.mWords, survival, row)) {
            return source.Fail(line.mNumber,
                               survival ? "expected LEVEL TIME SKY TREES GOALS WAVES TIPS"
                                        : "expected LEVEL TIME SKY TREES GOALS BIRDS HEDGEHOGS "
                                          "RAIN TIPS");
        }
        rows.push_back(row);
    }
    return true;
}

} // namespace Vuro::AssetGen
