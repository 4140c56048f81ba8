#pragma once
// Window messages as the application receives them. Input and window events arrive as Message
// records carrying the system's own message numbers and key codes (demo
// files store them), so the numbers below must not change.
//
// - Message: the receiving window's id, the message number and its two parameters. Parameters
//   are packed the classic way: a point in lParam as signed 16-bit x (low) and y (high) halves
//   (MakePointParam / PointParamX / PointParamY); key messages carry the virtual-key code in
//   wParam; WM_ACTIVATEAPP carries 1 (active) or 0; WM_SIZE carries the size type in wParam;
//   WM_MOUSEWHEEL carries the signed wheel delta (120 per notch) in the high 16 bits of wParam.
// - WM_NCLBUTTONDOWN says that a move or resize of the window by its frame has ended (the
//   window manager held the program meanwhile); WM_SETCURSOR that the pointer entered the
//   window; WM_DESTROY that the window is going. The three carry no parameters.
// - Numbers from kWmFirstRegistered up are the application's own, chosen at run time.

#include <cstdint>

namespace Vuro::Platform {

// [Message numbers]
inline constexpr uint32_t kWmCreate = 0x0001;
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmMove = 0x0003;
inline constexpr uint32_t kWmSize = 0x0005;
inline constexpr uint32_t kWmActivate = 0x0006;
inline constexpr uint32_t kWmPaint = 0x000F;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmEraseBkgnd = 0x0014;
inline constexpr uint32_t kWmEndSession = 0x0016;
inline constexpr uint32_t kWmActivateApp = 0x001C;
inline constexpr uint32_t kWmSetCursor = 0x0020;
inline constexpr uint32_t kWmNcActivate = 0x0086;
inline constexpr uint32_t kWmNcLButtonDown = 0x00A1;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmChar = 0x0102;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmSysKeyUp = 0x0105;
inline constexpr uint32_t kWmSysChar = 0x0106;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr uint32_t kWmRButtonDown = 0x0204;
inline constexpr uint32_t kWmRButtonUp = 0x0205;
inline constexpr uint32_t kWmRButtonDblClk = 0x0206;
inline constexpr uint32_t kWmMButtonDown = 0x0207;
inline constexpr uint32_t kWmMButtonUp = 0x0208;
inline constexpr uint32_t kWmMButtonDblClk = 0x0209;
inline constexpr uint32_t kWmMouseWheel = 0x020A;
inline constexpr uint32_t kWmFirstRegistered = 0xC000;

// WM_SIZE size types.
inline constexpr uint64_t kSizeRestored = 0;
inline constexpr uint64_t kSizeMinimized = 1;

// Mouse-message wParam bits: buttons and modifier keys held.
inline constexpr uint64_t kMkLButton = 0x0001;
inline constexpr uint64_t kMkRButton = 0x0002;
inline constexpr uint64_t kMkShift = 0x0004;
inline constexpr uint64_t kMkControl = 0x0008;
inline constexpr uint64_t kMkMButton = 0x0010;

// One wheel notch.
inline constexpr int kWheelDelta = 120;

// [Virtual-key codes] Letters and digits are their upper-case ASCII codes.
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12; // Alt
inline constexpr int kVkPause = 0x13;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkPrior = 0x21; // Page Up
inline constexpr int kVkNext = 0x22;  // Page Down
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkNumpad0 = 0x60;
inline constexpr int kVkMultiply = 0x6A;
inline constexpr int kVkAdd = 0x6B;
inline constexpr int kVkSubtract = 0x6D;
inline constexpr int kVkDecimal = 0x6E;
inline constexpr int kVkDivide = 0x6F;
inline constexpr int kVkF1 = 0x70; // F1..F12 follow in order
inline constexpr int kVkOemSemicolon = 0xBA;
inline constexpr int kVkOemPlus = 0xBB;
inline constexpr int kVkOemComma = 0xBC;
inline constexpr int kVkOemMinus = 0xBD;
inline constexpr int kVkOemPeriod = 0xBE;
inline constexpr int kVkOemSlash = 0xBF;
inline constexpr int kVkOemTilde = 0xC0;
inline constexpr int kVkOemOpenBracket = 0xDB;
inline constexpr int kVkOemBackslash = 0xDC;
inline constexpr int kVkOemCloseBracket = 0xDD;
inline constexpr int kVkOemQuote = 0xDE;

struct Message {
    uint32_t window = 0;  // id of the receiving window (Window::Id); 0 for none
    uint32_t message = 0; // message number
    uint64_t wParam = 0;
    int64_t lParam = 0;
};

constexpr int64_t MakePointParam(int x, int y) {
    return static_cast<int64_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                static_cast<uint32_t>(x & 0xFFFF));
}
constexpr int PointParamX(int64_t lParam) {
    return static_cast<int16_t>(lParam & 0xFFFF);
}
constexpr int PointParamY(int64_t lParam) {
    return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}
// The signed wheel delta of a WM_MOUSEWHEEL wParam.
constexpr int WheelParamDelta(uint64_t wParam) {
    return static_cast<int16_t>((wParam >> 16) & 0xFFFF);
}
constexpr uint64_t MakeWheelParam(int delta, uint64_t keyState) {
    return (static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16) | (keyState & 0xFFFF);
}

// [Mouse messages] The click count a button message stands for, as the widgets and demo records
// take it: 1 left, 2 left double, -1 right, -2 right double, 3 middle; 0 for anything else. A
// middle double click has none: the application does not take it.
constexpr int MouseClickCount(uint32_t message) {
    switch (message) {
    case kWmLButtonDown:
    case kWmLButtonUp:
        return 1;
    case kWmLButtonDblClk:
        return 2;
    case kWmRButtonDown:
    case kWmRButtonUp:
        return -1;
    case kWmRButtonDblClk:
        return -2;
    case kWmMButtonDown:
    case kWmMButtonUp:
        return 3;
    default:
        return 0;
    }
}
// A move or a button message the application takes (one with a click count).
constexpr bool IsMouseMessage(uint32_t message) {
    return message == kWmMouseMove || MouseClickCount(message) != 0;
}
constexpr bool IsMouseButtonUp(uint32_t message) {
    return message == kWmLButtonUp || message == kWmRButtonUp || message == kWmMButtonUp;
}

} // namespace Vuro::Platform
