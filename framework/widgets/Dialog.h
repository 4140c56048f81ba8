#pragma once
// A movable box with a header, word-wrapped lines, a footer and up to two buttons (ids 1000
// and 1001), hosted by the application under an id. It reports its buttons to its dialog
// listener with its own id and records the button clicked as its result.
// (Minimal form: the texts, the result, the button reports and what the application needs to
// place it; fonts, layout of the buttons, drawing and dragging come with the dialog widget.)

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

#include <string>

namespace Vuro {

class DialogListener;
class Image;

inline constexpr int DialogResultNone = 0x7fffffff;

class Dialog : public Widget, public ButtonListener {
public:
    static constexpr int kYesButtonId = 1000;
    static constexpr int kNoButtonId = 1001;

    Dialog(Image* componentImage, Image* buttonComponentImage, int dialogId, bool isModal,
           const std::string& header, const std::string& lines, const std::string& footer,
           int buttonMode);
    ~Dialog() override = default;

    void ButtonPress(int id) override;
    void ButtonClick(int id) override;

    // The height the dialog wants at this width. (Minimal form: the content margins and the
    // button row; the texts' heights join once the dialog has its fonts.)
    virtual int GetPreferredHeight(int width);
    virtual bool IsModal() { return mIsModal; }

    DialogListener* mDialogListener = nullptr; // not owned
    Image* mComponentImage;                    // not owned
    Image* mButtonComponentImage;              // not owned
    int mId;
    bool mIsModal;
    int mResult = DialogResultNone;
    std::string mDialogHeader;
    std::string mDialogLines;
    std::string mDialogFooter;
    int mButtonMode;
    int mButtonHeight = 24;
};

} // namespace Vuro
