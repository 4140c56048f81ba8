#pragma once
// The readers of the localised text files beside the program. A text file local/<number>.xml
// holds its texts as elements Text1, Text2, ... (attribute "value") directly inside one
// top-level element HelpText; images/branding.xml holds the intro's splash count as the value
// of Data1 directly inside Branding. Texts are code page 1251 and kept as they stand.
//
// What a caller can rely on:
// - A reader answers false only when the file cannot be opened (branding: also when it holds no
//   Data1 in Branding); what the owner held then stays as it was.
// - Names are compared exactly, case included; TextN takes N without leading zeros. A number
//   outside the reader's range, a text nested deeper than HelpText and other elements are
//   ignored; a later element of the same name replaces an earlier one; a missing "value" gives
//   the empty text. A parse error ends the reading and keeps what was read before it.

#include <string>

namespace Vuro {

// Reads Text1..Text<count> of file into texts[0] .. texts[count - 1].
[[nodiscard]] bool ReadLocalTexts(const std::string& file, std::string* texts, int count);

// Text1 and Text2 of file into header and body, as ReadLocalTexts.
[[nodiscard]] bool ReadLocalTextPair(const std::string& file, std::string& header,
                                     std::string& body);

// "local/<number>.xml".
std::string LocalTextFile(int number);

// The intro's splash pictures: how many it shows (0..2) and which it shows now. Set by
// ReadBranding; the intro lowers the count when pictures are missing.
extern int gSplashCount;
extern int gSplashStage;

inline constexpr const char* kBrandingFile = "images/branding.xml";
inline constexpr int kMaxSplashCount = 2;

// Reads the splash count from the first Data1 of Branding, clamped into 0..2, and sets the
// splash stage to 0.
[[nodiscard]] bool ReadBranding();

} // namespace Vuro
