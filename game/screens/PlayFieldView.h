#pragma once
// The play field drawn: each part draws one layer of a field's state (read through its const
// getters) with the pictures of the level's image set. The boards call the parts in the order
// listed, DrawSmoke twice (before the slingshot and after the weather); DrawAll does exactly
// that.
//
// What a caller can rely on:
// - The view only reads the field and the image set, both borrowed; without an image set
//   nothing is drawn.
// - The parts that write text use the image set's help font (images/fonts/Help14Bold.txt) and
//   leave it set on the context; a shadow is the text in black, lower right.
// - A frame past the end of its sheet is brought into the sheet (PlayFieldPictures.h).
//
// PlayFieldDraw.cpp holds the order and the scenery, PlayFieldDrawSprites.cpp the creatures,
// helpers and effects, PlayFieldDrawPanel.cpp the panel, icons and texts.

namespace Vuro {

class GameImages;
class Graphics;
class Image;
class PlayField;
struct WeatherStepper;

class PlayFieldView {
public:
    explicit PlayFieldView(const PlayField& field) : mField(field) {}

    // The level's image set (borrowed); null draws nothing.
    void SetImages(const GameImages* images) { mImages = images; }
    const GameImages* GetImages() const { return mImages; }

    // Every part in order; drawSlingshot is false while the boards hide it (the curtain).
    void DrawAll(Graphics* g, bool drawSlingshot) const;
    void DrawBackground(Graphics* g) const;
    void DrawSunMoon(Graphics* g) const;
    void DrawSky(Graphics* g) const;
    void DrawStagePicture(Graphics* g) const;
    void DrawAmbient(Graphics* g) const;
    void DrawTrees(Graphics* g) const;
    void DrawCaterpillars(Graphics* g) const;
    void DrawFruit(Graphics* g) const;
    void DrawBirds(Graphics* g) const;
    void DrawAutocar(Graphics* g) const;
    void DrawHedgehogs(Graphics* g) const;
    void DrawMenuButton(Graphics* g) const;
    void DrawHud(Graphics* g) const;
    void DrawTime(Graphics* g) const;
    void DrawBroom(Graphics* g) const;
    void DrawBonusItems(Graphics* g) const;
    void DrawSmoke(Graphics* g) const;
    // The slingshot while aiming at a bird (always in survival), and the stones in flight.
    void DrawSlingshot(Graphics* g) const;
    void DrawCircles(Graphics* g) const;
    void DrawMagicShots(Graphics* g) const;
    void DrawShots(Graphics* g) const;
    void DrawWeather(Graphics* g) const;
    void DrawNumberPopups(Graphics* g) const;
    void DrawBonusPopups(Graphics* g) const;
    // While the banner shows: images/side sliding in from above with "Уровень <level>" in
    // story or "Волна <wave>" in survival.
    void DrawBanner(Graphics* g) const;

    // The rain cels (the cloud's frame as cel) at the cloud's x in each of its drop slots, then
    // the cloud picture at its point; nothing while the cloud is gone. A null picture draws
    // nothing.
    static void DrawRainCloud(Graphics* g, const WeatherStepper& cloud, Image* cloudPicture,
                              Image* rain);

private:
    const PlayField& mField;
    const GameImages* mImages = nullptr;
};

} // namespace Vuro
