#include "tools/assetgen/texts/TextsStep.h"

#include "tools/assetgen/SourceFile.h"
#include "tools/assetgen/audio/SourceText.h"
#include "tools/assetgen/texts/Cp1251.h"

#include <algorithm>
#include <map>
#include <set>

namespace Vuro::AssetGen {

namespace {

// One output file and its texts by number, already in code page 1251.
struct TextFile {
    std::string mRoot = "HelpText";
    std::string mPrefix = "Text";
    std::string mSource; // "source:line" of its section, for the file's comment
    std::map<int, std::string> mTexts;
};

// Reads one source into files; false after reporting the first bad line.
bool ReadTextSource(const std::filesystem::path& path, std::map<std::string, TextFile>& files) {
    SourceText source;
    if (!source.Load(path)) {
        return false;
    }
    TextFile* current = nullptr;
    for (const SourceLine& sourceLine : source.Lines()) {
        // Texts are single lines; blanks between their words are kept one each.
        std::string line;
        for (const std::string& word : sourceLine.mWords) {
            line += (line.empty() ? "" : " ") + word;
        }
        if (line.front() == '[') {
            std::vector<std::string> words =
                SplitText(std::string_view(line).substr(1, line.size() - 2), ' ');
            if (line.back() != ']' || (words.size() != 1 && words.size() != 3)) {
                return source.Fail(sourceLine.mNumber, "expected [FILE] or [FILE ROOT PREFIX]");
            }
            if (files.count(words[0]) != 0) {
                return source.Fail(sourceLine.mNumber, words[0] + " is listed twice");
            }
            current = &files[words[0]];
            current->mSource = path.filename().string();
            if (words.size() == 3) {
                current->mRoot = words[1];
                current->mPrefix = words[2];
            }
            continue;
        }
        size_t equals = line.find('=');
        std::string_view text = line;
        std::string_view numberText = TrimText(text.substr(0, equals));
        int number = 0;
        if (current == nullptr || equals == std::string::npos || !ParseInt(numberText, number) ||
            number < 1) {
            return source.Fail(sourceLine.mNumber, "expected N = text inside a [FILE] section");
        }
        std::string bytes;
        if (!Utf8ToCp1251(TrimText(text.substr(equals + 1)), bytes)) {
            return source.Fail(sourceLine.mNumber, "text has a character code page 1251 lacks");
        }
        if (!current->mTexts.emplace(number, bytes).second) {
            return source.Fail(sourceLine.mNumber,
                               "text " + std::string(numberText) + " is given twice");
        }
    }
    return true;
}

std::string WriteTextFile(const TextFile& file) {
    XmlWriter xml("windows-1251", "Made by assetgen from assets/texts/" + file.mSource);
    xml.Open(file.mRoot);
    for (const auto& [number, text] : file.mTexts) {
        xml.Element(file.mPrefix + std::to_string(number), {{"value", text}});
    }
    xml.Close();
    return xml.GetText();
}

} // namespace

int RunTextsStep(const StepContext& context) {
    std::filesystem::path folder = context.mAssets / "texts";
    std::vector<std::filesystem::path> sources;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".txt") {
            sources.push_back(entry.path());
        }
    }
    if (error || sources.empty()) {
        std::fprintf(stderr, "%s: no text sources\n", folder.string().c_str());
        return 1;
    }
    std::sort(sources.begin(), sources.end());
    std::map<std::string, TextFile> files;
    for (const auto& source : sources) {
        if (!ReadTextSource(source, files)) {
            return 1;
        }
    }
    for (const auto& [name, file] : files) {
        if (!WriteDataFile(context.mOut / name, WriteTextFile(file))) {
            return 1;
        }
    }
    return 0;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv, {"texts", Vuro::AssetGen::RunTextsStep});
}
