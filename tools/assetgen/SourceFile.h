#pragma once
// Small pieces the steps that write text data share: splitting and reading the words of a
// source line (audio/SourceText reads the lines), writing a file of the data set, and the
// small XML files the game reads.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Vuro::AssetGen {

// The text without blanks, tabs or carriage returns at either end.
std::string_view TrimText(std::string_view text);
// Pieces of text between separators; with ' ' any run of blanks or tabs separates and empty
// pieces are dropped.
std::vector<std::string> SplitText(std::string_view text, char separator);
// A whole decimal integer with an optional leading '-'; false for anything else.
bool ParseInt(std::string_view text, int& value);

// Writes bytes to the file, making its folders; false with a message naming the file.
bool WriteDataFile(const std::filesystem::path& path, std::string_view bytes);

// Builds a data XML file: a declaration, an optional comment, then top-level elements holding
// empty elements with attributes. Attribute values are escaped.
class XmlWriter {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    // encoding may be empty (no encoding in the declaration).
    XmlWriter(std::string_view encoding, std::string_view comment);

    void Open(std::string_view name);
    void Close();
    void Element(std::string_view name, const Attributes& attributes);

    const std::string& GetText() const { return mText; }

private:
    std::string mText;
    std::vector<std::string> mOpen;
};

} // namespace Vuro::AssetGen
