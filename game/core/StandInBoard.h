#pragma once
// The least form of a screen that is not built yet: a full-screen widget that fills itself with
// one colour and shows a caption, so the game starts, switches and loads through it. Each
// stand-in screen derives from it and keeps the operations the screen switch calls; its real
// form replaces it later, and this file goes with the last stand-in.

#include "framework/graphics/Color.h"
#include "framework/widgets/Widget.h"

#include <memory>
#include <string>

namespace Vuro {

class Font;
class GameApp;

class StandInBoard : public Widget {
public:
    StandInBoard(GameApp* app, const Color& fill, std::string caption);
    ~StandInBoard() override;

    // The fill, the caption at the top, and Detail below it.
    void Draw(Graphics* g) override;

protected:
    // A second line under the caption; empty draws nothing.
    virtual std::string Detail() { return std::string(); }
    void DrawFill(Graphics* g);
    // The caption and Detail.
    void DrawCaption(Graphics* g);

    GameApp* mApp; // not owned

private:
    Font* CaptionFont();

    Color mFill;
    std::string mCaption;
    std::unique_ptr<Font> mFont; // made at the first draw
};

} // namespace Vuro
