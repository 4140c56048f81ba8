#pragma once
// Panels, buttons and screens over the play field: the help panel, the statistics panel and
// its button, the dialog frame and its button strip, the back button, the level banner, the
// panel under the field with its two side buttons, the curtain, the end-of-level pictures,
// black, the empty canvas of the stage composite, the three cursors and the program's icon.

#include "tools/assetgen/art/Sheet.h"

namespace Vuro::AssetGen {

void PaintHelpPanel(Art::Sheet& sheet);
void PaintStatPanel(Art::Sheet& sheet);
void PaintDialogFrame(Art::Sheet& sheet);
void PaintDialogButtons(Art::Sheet& sheet);
void PaintButton(Art::Sheet& sheet, const Art::Rgb& colour, bool over);
void PaintBanner(Art::Sheet& sheet);
void PaintFieldPanel(Art::Sheet& sheet);
void PaintCurtain(Art::Sheet& sheet);
void PaintGameOver(Art::Sheet& sheet);
void PaintLevelCompleted(Art::Sheet& sheet);
void PaintBlack(Art::Sheet& sheet);
void PaintAimCursor(Art::Sheet& sheet, bool overBird);
void PaintMenuCursor(Art::Sheet& sheet);
// The program's icon: the game's ripe apple, filling the picture, its shadow fading out.
void PaintMainIcon(Art::Sheet& sheet, int size);

} // namespace Vuro::AssetGen
