#pragma once
// The least form of a screen that is not built yet: a full-screen widget that fills itself with
// one colour and shows a caption, so the game starts, switches and loads through it. Each
// stand-in screen derives from it and keeps the operations the screen switch calls; its real
// form replaces it later, and this file goes with the last stand-in.
//
// So that the game can be played through from the intro (by hand, or by a recorded demo), the
// stand-ins of the menu and the prologue show their leading buttons as plain boxes where the
// real buttons are, and a click on one leads on as the real button does: the menu's story
// button (to the prologue for a new player, else to the map) and survival button (to the map),
// and the prologue's button (to the map). Only the first click leads on; the screen is dropped
// by the switch it starts.

#include "framework/graphics/Color.h"
#include "framework/widgets/Widget.h"

#include <memory>
#include <string>
#include <vector>

namespace Vuro {

class Font;
class GameApp;

class StandInBoard : public Widget {
public:
    StandInBoard(GameApp* app, const Color& fill, std::string caption);
    ~StandInBoard() override;

    // The fill, the caption at the top, Detail below it, and the leading buttons.
    void Draw(Graphics* g) override;
    void MouseDown(int x, int y, int clickCount) override;

protected:
    // A second line under the caption; empty draws nothing.
    virtual std::string Detail() { return std::string(); }
    void DrawFill(Graphics* g);
    // The caption and Detail.
    void DrawCaption(Graphics* g);

    GameApp* mApp; // not owned

private:
    struct LeadingButton;
    // The leading buttons of this screen while it is the application's menu, prologue or map.
    std::vector<LeadingButton> LeadingButtons() const;
    void LeadOn(const LeadingButton& button);
    Font* CaptionFont();

    Color mFill;
    std::string mCaption;
    std::unique_ptr<Font> mFont; // made at the first draw
    bool mLedOn = false;         // a leading button was clicked
};

} // namespace Vuro
