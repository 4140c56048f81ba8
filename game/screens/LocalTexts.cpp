#include "game/screens/LocalTexts.h"

#include "framework/util/StringHelpers.h"
#include "framework/util/XMLParser.h"

#include <algorithm>
#include <cctype>

namespace Vuro {

int gSplashCount = 0;
int gSplashStage = 0;

namespace {

constexpr const char* kTextSection = "HelpText";
constexpr const char* kTextPrefix = "Text";
constexpr const char* kBrandingSection = "Branding";
constexpr const char* kBrandingElement = "Data1";

// N of an element named exactly "Text<N>" (no sign, no leading zero); 0 for any other name.
int TextNumber(const std::string& name) {
    const std::string prefix = kTextPrefix;
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 4 ||
        name.compare(0, prefix.size(), prefix) != 0 || name[prefix.size()] == '0') {
        return 0;
    }
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return 0;
    }
    return std::stoi(digits);
}

std::string ValueOf(const XMLNode& node) {
    auto value = node.mAttributes.find("value");
    return value != node.mAttributes.end() ? value->second : std::string();
}

} // namespace

bool ReadLocalTexts(const std::string& file, std::string* texts, int count) {
    XMLParser parser;
    if (!parser.OpenFile(file)) {
        return false;
    }
    XMLNode node;
    while (parser.ReadElement(&node)) {
        if (node.mKind != XMLNodeKind::Start || node.mSection != kTextSection) {
            continue;
        }
        const int number = TextNumber(node.mValue);
        if (number >= 1 && number <= count) {
            texts[number - 1] = ValueOf(node);
        }
    }
    return true;
}

bool ReadLocalTextPair(const std::string& file, std::string& header, std::string& body) {
    std::string texts[2] = {header, body};
    if (!ReadLocalTexts(file, texts, 2)) {
        return false;
    }
    header = texts[0];
    body = texts[1];
    return true;
}

std::string LocalTextFile(int number) {
    return "local/" + std::to_string(number) + ".xml";
}

bool ReadBranding() {
    XMLParser parser;
    if (!parser.OpenFile(kBrandingFile)) {
        return false;
    }
    XMLNode node;
    while (parser.ReadElement(&node)) {
        if (node.mKind == XMLNodeKind::Start && node.mSection == kBrandingSection &&
            node.mValue == kBrandingElement) {
            int count = 0;
            (void)StringToInt(ValueOf(node), &count); // a bad number reads as 0
            gSplashCount = std::clamp(count, 0, kMaxSplashCount);
            gSplashStage = 0;
            return true;
        }
    }
    return false;
}

} // namespace Vuro
