#pragma once
// The push button of the game's screens: a face picture, a lit face under the mouse, and a
// caption in yellow (248, 255, 68) in the screen's font. Used by the stage map, the statistics
// screen and the score board.

#include <string>

namespace Vuro {

class ButtonListener;
class ButtonWidget;
class Font;
class Image;

// A new button (owned by the caller), not yet placed; the pictures and the font are not owned.
ButtonWidget* MakeCaptionedButton(int id, ButtonListener* listener, Image* face, Image* litFace,
                                  Font* font, const std::string& caption);

} // namespace Vuro
