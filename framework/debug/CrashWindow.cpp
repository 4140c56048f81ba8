#include "framework/debug/CrashWindow.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonLook.h"

namespace Vuro {

void CrashWindow::Face::Draw(Graphics* g) {
    ButtonLook::Line(g, ButtonLook::kFace, 0, 0, mWidth, mHeight);
}

CrashWindow::CrashWindow(WidgetHost& app, DDInterface& images, const std::string& caption, int x,
                         int y, int width, int height)
    : mPicture(&images), mManager(&app) {
    Platform::WindowSystem& system = Platform::GetWindowSystem();
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    system.GetFrameSize(left, top, right, bottom);
    Platform::WindowParams params;
    params.title = caption;
    params.x = x + left;
    params.y = y + top;
    params.width = width;
    params.height = height;
    mWindow = system.CreateWindow(params);

    mPicture.Create(width, height);
    mManager.mImage = &mPicture;
    mManager.SetScreenSize(width, height);
    mFace.Resize(0, 0, width, height);
    mManager.AddWidget(&mFace);
}

CrashWindow::~CrashWindow() {
    mManager.RemoveWidget(&mFace);
}

uint32_t CrashWindow::Id() const {
    return mWindow != nullptr ? mWindow->Id() : 0;
}

void CrashWindow::Show() {
    mShown = true;
    if (mWindow != nullptr) {
        mWindow->Show();
        mWindow->Raise();
    }
    Draw(true);
}

void CrashWindow::Hide() {
    mShown = false;
    if (mWindow != nullptr) {
        mWindow->Hide();
    }
}

void CrashWindow::Dispatch(const Platform::Message& message) {
    using namespace Platform;
    switch (message.message) {
    case kWmKeyDown:
    case kWmSysKeyDown:
        mManager.KeyDown(static_cast<int>(message.wParam));
        return;
    case kWmKeyUp:
    case kWmSysKeyUp:
        mManager.KeyUp(static_cast<int>(message.wParam));
        return;
    case kWmChar:
        mManager.CharInput(static_cast<char>(message.wParam));
        return;
    case kWmMouseWheel:
        mManager.MouseWheel(WheelParamDelta(message.wParam) / kWheelDelta);
        return;
    default:
        break;
    }
    const int clicks = MouseClickCount(message.message);
    if (message.message != kWmMouseMove && clicks == 0) {
        return;
    }
    const int x = PointParamX(message.lParam);
    const int y = PointParamY(message.lParam);
    mManager.MouseMove(x, y);
    if (clicks == 0) {
        return;
    }
    if (IsMouseButtonUp(message.message)) {
        mManager.MouseUp(x, y, clicks);
        if (mManager.mPressedButtons == 0 && mWindow != nullptr) {
            mWindow->SetMouseCapture(false);
        }
    } else {
        // A scroll thumb dragged out of the window keeps following the mouse.
        if (mWindow != nullptr) {
            mWindow->SetMouseCapture(true);
        }
        mManager.MouseDown(x, y, clicks);
    }
}

void CrashWindow::Update() {
    mManager.UpdateFrame();
}

void CrashWindow::Draw(bool always) {
    if (!mShown) {
        return;
    }
    if (always) {
        mFace.Invalidate();
    }
    if (mManager.DrawScreen() && mWindow != nullptr) {
        mWindow->Present(mPicture.GetBits(), mPicture.mWidth, mPicture.mHeight);
    }
}

} // namespace Vuro
