#pragma once
// Which picture of the image set shows each object of the play field, which cel of a sheet an
// object's frame shows, and the shadowed text the field writes. Shared by the drawing parts
// (PlayFieldDraw*.cpp).
//
// What a caller can rely on:
// - Every picture getter answers null for a kind outside its range or a picture the set has
//   not loaded; Graphics draws nothing for null.
// - The cel helpers answer a cel inside the sheet for any frame the objects produce, so a
//   drawing never asks for a cel past the end of its sheet.

#include <string>

namespace Vuro {

class Color;
class GameImages;
class Graphics;
class Image;
class PlayField;

namespace PlayFieldPictures {

// The sheet a fruit of kind 1..4 is drawn from in the state: the germ sheet while it grows or
// lies unripe (states 1, 8, 9), the anim sheet otherwise.
Image* FruitSheet(const GameImages& images, int kind, int state);
// The anim sheet of fruit kind 1..4 (the sheet a fruit is picked within).
Image* FruitAnimSheet(const GameImages& images, int kind);
Image* TreePicture(const GameImages& images, int kind);
// Bird kinds 0..3: flying, shot (hit pending) and stunned (flash) pictures.
Image* BirdFlightSheet(const GameImages& images, int kind);
Image* BirdShotSheet(const GameImages& images, int kind);
Image* BirdFlashSheet(const GameImages& images, int kind);

// The shot picture has one cel for each way a bird faces, while the flight frames run through
// the first half of the flight sheet flying right and the second half flying left: the cel is
// the facing of the frame (frames reach 9 on a two-cel sheet).
int ShotCel(int frame, int flightCels);
// A smoke puff runs through frames 0..8 on an eight-cel sheet of a swelling, thinning puff: the
// last frame holds the thinnest cel.
int SmokeCel(int frame, int cels);
// The flies over a rotting fruit circle through the sheet's cels; a held fruit's frames reach
// 3 on three cels, so the frame wraps round.
int FruitFlyCel(int frame, int cels);

// Hands the level's image set to the field's rules: the sizes of its fruit anim sheets and trees
// (a picture the set lacks leaves the size the field had) and whether it holds the stage's
// ambient picture. Call once the field's level number and mode are set.
void SetFieldImages(PlayField& field, const GameImages& images);

// The text in black offset pixels lower and to the right, then in the colour at (x, y).
void DrawShadowedString(Graphics* g, const std::string& text, int x, int y, const Color& color,
                        int offset);

} // namespace PlayFieldPictures
} // namespace Vuro
