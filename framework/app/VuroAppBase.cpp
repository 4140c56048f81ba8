// Construction, start-up, shut-down and destruction of the application object, and its
// loading progress.

#include "framework/app/VuroAppBase.h"

#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReporter.h"
#include "framework/debug/ResourceManager.h"
#include "framework/display/DDImage.h"
#include "framework/fonts/SysFont.h"
#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModMusicInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/util/MersenneTwister.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/FaultHandler.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/Process.h"
#include "platform/SystemSound.h"
#include "platform/Threads.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace Vuro {

VuroAppBase* gVuroApp = nullptr;

VuroAppBase::VuroAppBase() {
    gVuroApp = this;
    mProductVersion = GetProductVersion(Platform::ExecutablePath());
    uint32_t now = Platform::GetClock().TickMs();
    mLoadTime = now;
    StartClocks(now);

    mStringProperties["DIALOG_BUTTON_OK"] = "OK";
    mStringProperties["DIALOG_BUTTON_CANCEL"] = "CANCEL";
    mStringProperties["UPDATE_CHECK_TITLE"] = "Update Check";
    mStringProperties["UPDATE_CHECK_BODY"] =
        "Checking if there are any updates available for this product ...";
    mStringProperties["UP_TO_DATE_TITLE"] = "Up to Date";
    mStringProperties["UP_TO_DATE_BODY"] =
        "There are no updates available for this product at this time.";
    mStringProperties["NEW_VERSION_TITLE"] = "New Version";
    mStringProperties["NEW_VERSION_BODY"] = "There is an update available for this product.  "
                                            "Would you like to visit the web site to download it?";
    mDemoFileName = mDemoPrefix + ".dmo";

    mWidgetManager = new WidgetManager(this);
    mResourceManager = new ResourceManager(this);
    CrashHandler::RegisterApp(this);
}

void VuroAppBase::operator delete(VuroAppBase* app, std::destroying_delete_t) {
    app->StopLoadingThread();
    void* whole = dynamic_cast<void*>(app); // the most derived object's address
    app->~VuroAppBase();
    ::operator delete(whole);
}

VuroAppBase::~VuroAppBase() {
    // Too late to wait here for a product's work: its part of the object is gone already.
    assert((!mLoadingThread.joinable() || !mLoadingWorkOfProduct) &&
           "an application destroyed while its loading thread runs: delete it, or make it as "
           "StackApp<Product>");
    Shutdown();
    // Order matters: the loading work may still use the widgets, the display and the sound
    // manager, so it must have ended before any of them goes.
    WaitForLoadingThread();
    // Shutdown acts only on the main thread; the cursor thread must end in any case.
    mShutdown = true;
    StopCursorThread();

    // A 3-D switch made this run is kept for the next start when the choice was stored before
    // or 3-D is recommended here; a first switch to 3-D is kept only when the user confirms it.
    // A 3-D fault during the run lets the user turn 3-D off for the next start. Once the session
    // ends nobody is asked, and a box ended without an answer changes nothing.
    bool asked = false;
    if (mIs3DToggled && mDDInterface != nullptr) {
        bool stored3D = false;
        if (ReadRegBool("Is3D", stored3D) || Is3DRecommended()) {
            WriteRegBool("Is3D", mDDInterface->mIs3D);
        } else if (mDDInterface->mIs3D && !mSessionEnding) {
            asked = true;
            int answer = MsgBox(
                "Hardware Acceleration was switched on during this session.\r\nIf this "
                "resulted in slower performance, it should be switched off.\r\nWould you like "
                "to keep Hardware Acceleration switched on?",
                mCaptionPrefix + " Hardware Acceleration Confirmation",
                Platform::kMbYesNo | Platform::kMbIconQuestion);
            mDDInterface->mIs3D = answer == Platform::kIdYes;
            if (mDDInterface->mIs3D) {
                WriteRegBool("Is3D", true);
            }
        }
    }
    if (!asked && !mSessionEnding && mDDInterface != nullptr && mDDInterface->m3DFaultReported &&
        !mIsScreenSaver) {
        int answer = MsgBox(
            "Hardware Acceleration may not have been working correctly during this "
            "session.\r\nIf you noticed graphics problems, you may want to turn off Hardware "
            "Acceleration.\r\nWould you like to keep Hardware Acceleration switched on?",
            mCaptionPrefix + " Hardware Acceleration Confirmation",
            Platform::kMbYesNo | Platform::kMbIconQuestion);
        if (answer == Platform::kIdNo) {
            WriteRegBool("Is3D", false);
        }
    }

    for (Dialog* dialog : mDialogList) {
        mWidgetManager->RemoveWidget(dialog);
        delete dialog;
    }
    mDialogList.clear();
    mDialogMap.clear();
    // Widgets still queued (the loop never ran to delete them) go now.
    mStepDepth = 0;
    DeleteQueuedWidgets();
    // Its images and fonts live on the display and the sound manager: it goes before them.
    delete mResourceManager;
    mResourceManager = nullptr;
    delete mWidgetManager;
    mWidgetManager = nullptr;
    for (auto& image : mOverlayImages) {
        image.reset();
    }
    mOverlayFont.reset();
    delete mDDInterface;
    mDDInterface = nullptr;
    delete mSoundManager;
    mSoundManager = nullptr;
    mSystemSounds.reset();
    delete mMusicInterface;
    mMusicInterface = nullptr;
    DestroyMainWindow();
    CrashHandler::UnregisterApp(this);
    if (gVuroApp == this) {
        gVuroApp = nullptr;
    }
    WriteDemoFile();
    if (!mUserDataFolder.empty()) {
        Platform::MapFolder(mUserDataFolder, std::string());
    }
    mInstanceLock.reset();
}

void VuroAppBase::Init(bool forceWindowed) {
    mPrimaryThreadId = Platform::CurrentThreadId();
    if (mShutdown) {
        return;
    }
    if (!mCmdLineParsed) {
        ParseCommandLine();
    }
    if (mCrashReportOnly) {
        // A fault while reporting must not start yet another reporter.
        Platform::SetFaultReportProgram({});
        CrashReporter::WaitForCrashedProgram(mCrashedProcessId);
        CrashReporter::Run(*this, mCrashAttachment);
        DoExit(0);
    }
    if (mIsScreenSaver) {
        mOnlyAllowOneCopyToRun = false;
    }
    if (mOnlyAllowOneCopyToRun) {
        mNotifyMessage = Platform::kWmFirstRegistered;
        auto lock = std::make_unique<Platform::InstanceLock>(mProdName + "Mutex");
        switch (lock->Acquire()) {
        case Platform::InstanceLock::Result::Acquired:
            mInstanceLock = std::move(lock);
            break;
        case Platform::InstanceLock::Result::HeldElsewhere:
            std::fprintf(stderr, "%s does not start: another copy is running (it holds %s)\n",
                         mProdName.c_str(), lock->LockPath().c_str());
            lock->NotifyHolder();
            DoExit(0);
        case Platform::InstanceLock::Result::Unavailable:
            break; // no lock can be made here: run without the check
        }
    }

    std::string exePath = Platform::ExecutablePath();
    std::string folder = exePath.substr(0, exePath.find_last_of("\\/"));
    if (!OnChangeDirectory(folder)) {
        Platform::SetWorkingDirectory(folder);
    }

    mRandSeed = Platform::GetClock().TickMs();
    SRand(mRandSeed);
    if (mPlayingDemoBuffer) {
        std::string error;
        if (!ReadDemoFile(error)) {
            mPlayingDemoBuffer = false;
            Popup(error);
            DoExit(1); // the demo asked for cannot be played: a failure, not success
        }
    }
    SetUpUserDataFolder();

    BeforeReadSettings();
    std::srand(Platform::GetClock().TickMs());
    ReadSettings();

    LoadMainIcon();
    BeforeCreateMainWindow();
    mWidgetManager->SetScreenSize(mWidth, mHeight);
    if (mIsWindowed && !mDesktopFullScreen) {
        int desktopWidth = 0;
        int desktopHeight = 0;
        if (Platform::GetWindowSystem().GetDesktopSize(desktopWidth, desktopHeight) &&
            (mWidth >= desktopWidth || mHeight >= desktopHeight)) {
            mIsWindowed = false;
        }
    }
    if (forceWindowed) {
        mDesktopFullScreen = false;
        mIsWindowed = true;
    }
    CreateMainWindow();
    if (mPlayingDemoBuffer) {
        // The screen mode the recorded run had when its window was made.
        ReplayDemoScreenMode();
    }

    if (mSoundManager == nullptr) {
        // Without a window the manager makes no output: all sound is off.
        mSoundManager = new DSoundManager(mNoSoundNeeded ? nullptr : mMainWindow.get(), mUseFmod);
    }
    SetSfxVolume(mSfxVolume);
    mMusicInterface = CreateMusicInterface(mMainWindow.get());
    SetMusicVolume(mMusicVolume);
    if (mIsScreenSaver) {
        SetCursor(static_cast<int>(CursorKind::kNone)); // a screen saver shows no mouse cursor
    }

    AfterInit();
    mInitialized = true;
    CrashHandler::PublishCrashInfo(*this);
}

void VuroAppBase::Shutdown() {
    if (Platform::CurrentThreadId() != mPrimaryThreadId) {
        mShutdownRequested = true;
        return;
    }
    if (mShutdown.exchange(true)) {
        return;
    }
    mStepAbort = true;
    BeforeShutdown();
    if (mPlayingDemoBuffer) {
        SetMusicVolume(mDemoMusicVolume);
        SetSfxVolume(mDemoSfxVolume);
    }
    StopCursorThread();
    if (mMusicInterface != nullptr) {
        mMusicInterface->StopAllMusic();
    }
    if (mMainWindow != nullptr) {
        mMainWindow->Hide();
    }
    RestoreDesktop();
    if (mSettingsLoaded) {
        WriteSettings();
    }
}

void VuroAppBase::DoExit(int code) {
    RestoreDesktop();
    Platform::ExitProcess(code);
}

MusicInterface* VuroAppBase::CreateMusicInterface(Platform::Window* window) {
    if (mNoSoundNeeded) {
        return new MusicInterface();
    }
    if (mUseFmod) {
        return new FModMusicInterface(window);
    }
    return new BassMusicInterface(window);
}

double VuroAppBase::GetLoadingProgress() {
    if (mLoaded) {
        return 1.0;
    }
    int total = mNumLoadingThreadTasks;
    if (total <= 0) {
        return 0.0;
    }
    return std::min(1.0, static_cast<double>(mCompletedLoadingThreadTasks) / total);
}

} // namespace Vuro
