#include "platform/LinkOpener.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace Vuro::Platform {

namespace {

std::atomic<LinkOpener> gLinkOpener{nullptr};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsWebAddress(std::string_view text) {
    // Control characters never belong in an address; they could reach xdg-open's own parsing.
    bool clean = std::none_of(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return clean && (StartsWithNoCase(text, "http://") || StartsWithNoCase(text, "https://"));
}

// The value of the first "URL=" line of an internet-shortcut file; empty when there is none.
std::string ReadShortcutAddress(const std::string& path) {
    FILE* file = OpenFile(path, "rb");
    if (!file) {
        return std::string();
    }
    std::string address;
    char line[4096];
    while (std::fgets(line, sizeof line, file)) {
        std::string_view text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.remove_suffix(1);
        }
        if (StartsWithNoCase(text, "URL=")) {
            address = text.substr(4);
            break;
        }
    }
    std::fclose(file);
    return address;
}

bool StartBrowser(const std::string& address) {
    return StartProgram("xdg-open", {address});
}

} // namespace

std::string LinkAddress(const std::string& target) {
    std::string address = EndsWithNoCase(target, ".url") && !IsWebAddress(target)
                              ? ReadShortcutAddress(target)
                              : target;
    return IsWebAddress(address) ? address : std::string();
}

bool OpenLink(const std::string& target) {
    std::string address = LinkAddress(target);
    if (address.empty()) {
        return false;
    }
    LinkOpener opener = gLinkOpener.load();
    return opener ? opener(address) : StartBrowser(address);
}

LinkOpener SetLinkOpener(LinkOpener opener) {
    return gLinkOpener.exchange(opener);
}

} // namespace Vuro::Platform
