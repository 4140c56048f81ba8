#include "tools/assetgen/SourceFile.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace Vuro::AssetGen {

std::string_view TrimText(std::string_view text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

namespace {

std::string EscapeAttribute(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::vector<std::string> SplitText(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    if (separator == ' ') {
        std::istringstream stream{std::string(text)};
        std::string word;
        while (stream >> word) {
            pieces.push_back(word);
        }
        return pieces;
    }
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        pieces.emplace_back(TrimText(text.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && !text.empty();
}

bool WriteDataFile(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (error || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) ||
        !file.flush()) {
        std::fprintf(stderr, "%s: cannot write\n", path.string().c_str());
        return false;
    }
    return true;
}

XmlWriter::XmlWriter(std::string_view encoding, std::string_view comment) {
    mText = "<?xml version=\"1.0\"";
    if (!encoding.empty()) {
        mText += " encoding=\"" + std::string(encoding) + "\"";
    }
    mText += "?>\n";
    if (!comment.empty()) {
        mText += "<!-- " + std::string(comment) + " -->\n";
    }
}

void XmlWriter::Open(std::string_view name) {
    mText += std::string(mOpen.size() * 2, ' ') + "<" + std::string(name) + ">\n";
    mOpen.emplace_back(name);
}

void XmlWriter::Close() {
    std::string name = mOpen.back();
    mOpen.pop_back();
    mText += std::string(mOpen.size() * 2, ' ') + "</" + name + ">\n";
}

void XmlWriter::Element(std::string_view name, const Attributes& attributes) {
    mText += std::string(mOpen.size() * 2, ' ') + "<" + std::string(name);
    for (const auto& [key, value] : attributes) {
        mText += " " + key + "=\"" + EscapeAttribute(value) + "\"";
    }
    mText += "/>\n";
}

} // namespace Vuro::AssetGen
