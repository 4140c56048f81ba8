#pragma once
// Reads a level file (trees with their cell grids, fruit boxes, goals, time, day or night and
// the time line) into a play field, for the story and survival boards alike. The field must
// have been reset (PlayField::ResetLevel): the reader only adds to it, and values the file
// leaves out keep what the field had.
//
// Values live in the attributes attrib1..attrib7 of start tags directly inside a top-level
// "Init" or "TimeLine" element; anything else is skipped. A syntax error ends the read early
// with what was read so far kept, and still counts as success.

#include <string>
#include <string_view>

namespace Vuro {

class PlayField;
class XMLParser;

class LevelFile {
public:
    // "levels/story/level%i.xml", "levels/easy/survive/level%i.xml" and so on.
    static std::string GetFileName(bool survival, bool easy, int level);

    // False when the file cannot be opened; errorText then holds the message for the
    // application's Popup ("Couldn't open file ..."). True otherwise, whatever followed.
    [[nodiscard]] static bool ParseLevel(const std::string& fileName, PlayField& field,
                                         std::string& errorText);
    // The same on text in memory, named fileName in messages.
    [[nodiscard]] static bool ParseLevelText(std::string_view text, const std::string& fileName,
                                             PlayField& field, std::string& errorText);

private:
    static bool Read(XMLParser& parser, bool opened, const std::string& fileName, PlayField& field,
                     std::string& errorText);
};

} // namespace Vuro
