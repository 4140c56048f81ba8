#pragma once
// A movable box with a header line, word-wrapped lines, a footer line and up to two buttons
// along its bottom edge, hosted by the application under an id. It reports its buttons to its
// dialog listener with its own id and records the button clicked as its result.
//
// What a caller can rely on:
// - Button modes: 1 "YES" / "NO", 2 "OK" / "CANCEL", 3 one button labelled with the footer
//   (the footer is then not drawn as text); any other mode has no buttons. The first button
//   has id DialogButtonYes, the second DialogButtonNo; the dialog owns both.
// - The buttons are top-level widgets of the manager, placed over the dialog's bottom edge in
//   the manager's coordinates: they come and go with the dialog and move with it.
// - result stays DialogResultNone until button 1000 or 1001 is clicked; other button ids
//   (those of derived dialogs) change nothing and are not reported.
// - A left single press anywhere on the dialog drags it; it stays within 8 pixels of the
//   screen's edges.
// - Texts use the fonts given, else system fonts made on first need. While no font can be
//   made, a text has no height and is not drawn.

#include "framework/graphics/Rect.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Margins.h"
#include "framework/widgets/Widget.h"

#include <memory>
#include <string>

namespace Vuro {

class DialogButton;
class DialogListener;
class Font;
class Image;

inline constexpr int DialogResultNone = 0x7fffffff;
inline constexpr int DialogButtonYes = 1000;
inline constexpr int DialogButtonNo = 1001;

class Dialog : public Widget, public ButtonListener {
public:
    // Colour table indices.
    enum DialogColor {
        ColorHeader = 0,
        ColorLines = 1,
        ColorFooter = 2,
        ColorButtonText = 3,   // the buttons' colour 0
        ColorButtonTextHi = 4, // the buttons' colour 1
        ColorBoxFill = 5,      // the default look only
        ColorBoxFrame = 6,     // the default look only
    };

    // componentImage is drawn as a 3 x 3 box behind the dialog (null: the default look);
    // buttonComponentImage is the buttons' (null: plain buttons). Neither is owned. The
    // listener is the application's, when there is one.
    Dialog(Image* componentImage, Image* buttonComponentImage, int dialogId, bool isModal,
           const std::string& header, const std::string& lines, const std::string& footer,
           int buttonMode);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    void SetColor(int index, const Color& color) override;
    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void ZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void Draw(Graphics* g) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseDrag(int x, int y) override;
    void MouseRelease(int x, int y) override;

    // ---- [Added virtual operations, in their fixed order] ----
    virtual void SetButtonFont(Font* font);
    // Keep a duplicate of font; the old one is deleted.
    virtual void SetHeaderFont(Font* font);
    virtual void SetLinesFont(Font* font);
    // The height the dialog wants at this width: margins, texts and the button row.
    virtual int GetPreferredHeight(int width);
    virtual bool IsModal() { return mIsModal; }
    // Runs the application's loop until a button was clicked, the dialog left the manager or
    // the loop stopped; with autoKill the application then closes the dialog. Answers result.
    // A dialog closed and deleted during a loop step ends the wait with its last result; it
    // is never read after deletion.
    virtual int WaitForResult(bool autoKill);

    // ButtonListener: the two dialog buttons reach the dialog listener.
    void ButtonPress(int id) override;
    void ButtonClick(int id) override;

    DialogListener* mDialogListener = nullptr; // not owned
    Image* mComponentImage;                    // not owned
    DialogButton* mYesButton = nullptr;        // owned
    DialogButton* mNoButton = nullptr;         // owned
    std::string mDialogHeader;
    std::string mDialogFooter;
    std::string mDialogLines;
    int mButtonMode;
    Font* mHeaderFont = nullptr; // owned
    Font* mLinesFont = nullptr;  // owned
    int mLinesJustify = 0;       // 0 centred
    int mExtraLineSpacing = 0;
    int mButtonHeight = 24;
    Margins mBorderMargins;                  // inset of the box from the rectangle
    Margins mContentMargins{24, 24, 24, 24}; // inset of the content inside the box
    int mHeaderSpacing = 10;
    bool mDragging = false;
    int mGrabX = 0; // the point of the dialog held by the mouse, local
    int mGrabY = 0;
    int mId;
    bool mIsModal;
    int mResult = DialogResultNone;
    int mButtonGap = 8;
    int mButtonSideInset = 0;

private:
    // Outlives the dialog so that a running wait learns of its deletion.
    struct WaitState {
        bool mDeleted = false;
        int mFinalResult = DialogResultNone;
    };

    void LoadDefaultFonts();
    void LayoutButtons();

    std::shared_ptr<WaitState> mWaitState; // made by the first wait
};

} // namespace Vuro
