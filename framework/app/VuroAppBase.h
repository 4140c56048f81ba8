#pragma once
// The one application object of the process. It owns the main window, the widget manager, the
// display, the sound manager, the music interface, the set of live images, the demo buffer and
// the string properties, and offers the rest of the system a fixed table of virtual operations
// that a game overrides. Everything else reaches it through gVuroApp.
//
// Life: construct -> Init -> Start (runs the main loop until shut down) -> destroy.
// - Init ends the process through DoExit on fatal conditions (a second copy running: code 0).
// - Shutdown may be called from any thread; away from the main thread it only asks, and the
//   next frame pass of the main thread acts on it.
// - The loading thread (RunLoadingWork) and the cursor thread run beside the main thread; the
//   flags and counters they share with it are atomics. The loading work calls the product's
//   virtual operations and uses its members, so it ends before the first destructor of the
//   object begins: deleting an application asks the work to stop and waits for it before any
//   destructor runs, and an application made on the stack or as a member is made as
//   StackApp<Product> (StackApp.h), whose final destructor does the same. One destroyed any other
//   way while its loading thread was not waited for fails an assertion. Once shut down, Start
//   waits for loading work only half a second before it ends the process without it, so a
//   request to quit ends the program within a second whatever the work is doing.
// - The end-session message (a kill, the desktop session ending) shuts down like a quit, but the
//   user is asked nothing on the way out: the 3-D questions are the player's quit's only.
//
// Implementation files, one concern each: VuroAppBase.cpp (construction, Init, Shutdown,
// destruction, loading progress), AppMainLoop.cpp (loop steps, frame pass, fixed
// updates, drawing), AppFrameClock.cpp (frame clock and safe-delete queue), AppThreads.cpp
// (loading and cursor threads), AppImages.cpp (the image set, images from files),
// AppWindowProc.cpp (window procedure, input queue), AppInputDispatch.cpp (dispatch of queued
// input, activation), AppScreenMode.cpp (main window, display and its fallbacks, redraw),
// AppCursors.cpp (cursor choice), AppScreenSaver.cpp (idle hold, screensaver mode),
// AppDeveloperKeys.cpp, AppRegistry.cpp (settings store and file reads through the demo),
// AppSettings.cpp (the settings table), AppDemoRecords.cpp (input and screen-mode records),
// AppCommandLine.cpp (options), AppDemoFile.cpp (reading and writing demo files),
// AppDemoReplay.cpp (playback of input records), AppDemoSync.cpp (synchronised values, end of
// the stream), AppDemoControls.cpp (playback keys, jumps), AppDialogs.cpp (hosted dialogs),
// AppPopups.cpp (system boxes), AppSound.cpp (samples, volumes, mute), AppLinks.cpp (opening
// links), AppServices.cpp (string properties, clipboard, product version, crash text),
// AppScreenshots.cpp (screenshot and image report).

#include "framework/app/CursorState.h"
#include "framework/app/DemoSession.h"
#include "framework/app/FramePacing.h"
#include "framework/app/ScreenSaverHold.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/PixelBlend.h"
#include "framework/util/Buffer.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/WidgetHost.h"
#include "platform/Messages.h"
#include "platform/Window.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <list>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace Vuro {

namespace Platform {
class InstanceLock;
class SystemSoundPlayer;
} // namespace Platform

class DDImage;
class Image;
class Dialog;
class MemoryImage;
class MusicInterface;
class ResourceManager;
class SoundManager;
class SysFont;
class Widget;
class WidgetManager;

// The lower layers reach it only through the hosts it implements: ImageRegistry (images),
// FontHost (fonts), WidgetHost (widgets) and DisplayHost (the display). Its state is grouped by
// concern into the parts it is built on (DemoSession, FramePacing, ScreenSaverHold, CursorState),
// whose fields keep their names on the application; the operations below forward to them.
class VuroAppBase : public ButtonListener,
                    public WidgetHost,
                    public DisplayHost,
                    public DemoSession,
                    public FramePacing,
                    public ScreenSaverHold,
                    public CursorState {
public:
    VuroAppBase();
    VuroAppBase(const VuroAppBase&) = delete;
    VuroAppBase& operator=(const VuroAppBase&) = delete;

    // Dialog buttons reach the application's own button operations: button 1000 as id
    // dialog id + 2000, button 1001 as dialog id + 3000; other buttons are ignored.
    void DialogButtonPress(int dialogId, int buttonId) override;
    void DialogButtonClick(int dialogId, int buttonId) override;

    // ---- [Virtual operations, in their fixed order] ----
    // One frame pass; false only when it would have to sleep and allowSleep is false.
    virtual bool Process(bool allowSleep = true);
    // One fixed update tick.
    virtual void UpdateWidgets();
    // Runs UpdateWidgets when allowed (not held, demo in step); answers whether it ran.
    virtual bool RunFixedUpdate();
    virtual void UpdateWidgetsSmooth(float fraction);
    virtual void CreateMainWindow();
    virtual void UpdateCursor();
    virtual void RebuildAllImages();
    virtual void DropNativeImageData();
    virtual void DropExtraImageData();
    // Main thread, once the loading thread's work is finished.
    virtual void OnLoadingDone() {}
    virtual ~VuroAppBase();
    // Every application on the heap is deleted through here: StopLoadingThread, then the
    // destructors.
    void operator delete(VuroAppBase* app, std::destroying_delete_t);
    virtual MusicInterface* CreateMusicInterface(Platform::Window* window);
    virtual void AfterInit() {}
    virtual void BeforeShutdown() {}
    virtual void AfterMainLoop() {}
    // Body of the loading thread.
    virtual void RunLoadingWork() {}
    virtual void WriteSettings();
    virtual void ReadSettings();
    virtual Dialog* CreateDialogWidget(int id, bool modal, const std::string& title,
                                       const std::string& header, const std::string& footer,
                                       int buttonMode);
    virtual void BeforeCreateMainWindow() {}
    virtual void BeginPopup();
    virtual void EndPopup();
    virtual int MsgBox(const std::string& text, const std::string& title, uint32_t flags);
    void Popup(const std::string& text) override;
    virtual void ReportScreenSaverError(const std::string& text);
    // Deletes the widget at the next safe-delete pass at this step depth or an outer one.
    virtual void QueueWidgetDeletion(Widget* widget);
    virtual void OnUrlOpenFailed(const std::string& url);
    virtual void OnUrlOpened(const std::string& url);
    virtual bool OpenURL(const std::string& url, bool shutdownAfter);
    virtual std::string GetProductVersion(const std::string& path);
    // Called by the crash reporter's fault filter, on the faulting thread, before the report is
    // made. It runs inside a signal handler, so an override does only async-signal-safe work
    // (atomics, no allocation, no locks). Here: the crashed flag (painting and the mouse and
    // timer handling stop, and a cursor update on a thread still running gives the arrow back)
    // and the sound output silenced. Hiding the window, leaving full screen and giving the
    // cursor back are not safe there: they come with the end of the process, which follows the
    // report at once and which the report run waits for before it shows its windows.
    virtual void OnCrash();
    virtual std::string GetCrashInfo();
    virtual void GetCrashUploadExtra(std::map<std::string, std::string>& /*form*/) {}
    virtual void Shutdown();
    virtual void ParseCommandLine();
    virtual void SplitCommandLine(const std::string& text);
    virtual void HandleCommandLineOption(const std::string& name, const std::string& value);
    // Runs the program until shut down.
    virtual void Start();
    virtual void Init(bool forceWindowed = false);
    virtual void BeforeDisplayInit() {}
    // False: Init changes the working directory to dir.
    virtual bool OnChangeDirectory(const std::string& /*dir*/) { return false; }
    virtual void PlaySampleAt(int id, int pan);
    virtual void PlaySample(int id);
    // The system's menu-command click (developer keys switched, tuning values reloaded):
    // played by the system, so the effects volume and mute leave it alone.
    void PlayMenuCommandSound();
    virtual double GetMasterVolume();
    virtual double GetMusicVolume();
    virtual double GetSfxVolume();
    virtual bool IsMuted();
    virtual void SetMasterVolume(double volume);
    virtual void SetMusicVolume(double volume);
    virtual void SetSfxVolume(double volume);
    virtual void Mute(bool autoMute);
    virtual void Unmute(bool autoMute);
    // 1.0 once loading is complete; else tasks done / task total, at most 1.0.
    virtual double GetLoadingProgress();
    DDImage* GetImage(const std::string& fileName) override;
    virtual void SetWindowedModeEx(bool windowed, bool is3D, bool force);
    virtual void SetWindowedMode(bool windowed);
    virtual void ReapplyWindowedMode();
    virtual void UseVideoMemoryScreen(bool useVideoMemory);
    virtual Dialog* ShowDialog(int id, bool modal, const std::string& title,
                               const std::string& header, const std::string& footer,
                               int buttonMode);
    virtual Dialog* GetDialog(int id);
    virtual void AddDialogWidget(Dialog* dialog);
    virtual void AddDialog(int id, Dialog* dialog);
    virtual bool CloseDialogWidget(Dialog* dialog);
    bool CloseDialog(int id) override;
    virtual int GetDialogCount();
    virtual void OnModalOpened() {}
    virtual void OnModalClosed() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual bool SwallowsAltKey(char c) { return c == 'r' || c == 'R'; }
    virtual bool DeveloperKeyDown(int key);
    virtual bool DeveloperKeyFilter(int /*key*/, bool /*ctrl*/, bool /*alt*/) { return false; }
    virtual void CloseRequest() {}
    virtual void SpareHook() {}
    virtual std::string GetExtraCrashText() { return std::string(); }
    virtual bool SpareCheck(int /*a*/, int /*b*/) { return false; }
    // Draws the dirty widgets and presents the frame when something was drawn.
    virtual void DrawDirtyWidgets();
    virtual void Redraw(const Rect* rect);
    virtual void BeforeReadSettings() {}
    virtual void RunMainLoop();
    // One step of the loop's state machine; false when the step abort flag is set.
    bool RunLoopStep(bool* updated) override;
    // Steps until an update ran; false when a step returned false.
    virtual bool StepUntilUpdated();

    // ---- [Operations of the object itself] ----
    // Restores the desktop and ends the process with code (a test can trap the end).
    [[noreturn]] void DoExit(int code);
    // Leads mUserDataFolder to where the user's files live: $XDG_DATA_HOME under mRegKey, where
    // the files an earlier version kept beside the program are moved once; while a demo plays
    // back, to a copy of them taken now, so the playback reads what the user's files hold and
    // never changes them. Without a key the folder stays beside the program. Ends the program
    // when a playback's copy cannot be made.
    void SetUpUserDataFolder();
    void SetString(const std::string& id, const std::string& value);
    std::string GetString(const std::string& id, const std::string& defaultValue);
    bool IsScreenSaver() const { return mIsScreenSaver; }
    // Stores the cursor number (0 arrow, 1 hand, 2 drag, 3 text beam, 4 no-entry, 5 none) and
    // shows it. From another thread (the loading work) the change is only asked for, and the
    // main thread makes it at its next frame pass, as with SetCursorImage.
    void SetCursor(int cursorNum) override;
    void StartLoadingThread();
    // Returns once the loading thread (if any) has ended; main thread only.
    void WaitForLoadingThread();
    // Asks loading work still running to stop, as Shutdown asks from another thread (work that
    // checks for a quit ends early), and waits for it. Only the request is made: nothing of the
    // product's own shut-down runs. Main thread only.
    void StopLoadingThread();
    // The end of Start: waits up to kExitLoadingWaitMs for loading work still under way; when
    // it is still running then (a long decode, a read that never returns), the process ends
    // with code 0 without it (Shutdown has written the settings), since nothing the work uses
    // may be torn down. A demo being recorded is written first, closed at the update count
    // reached, as a crash closes it; the work records nothing more. Main thread only.
    void EndLoadingThreadForExit();
    static constexpr uint32_t kExitLoadingWaitMs = 500;
    void StartCursorThread();
    void UpdateFrameTime();
    void ResetFrameClock(bool addDelay);
    void DeleteQueuedWidgets();
    // The window procedure: handles a message at once or queues it as input.
    void WindowProc(const Platform::Message& message);
    // Destroys the main window (if any) after its destruction message has been through the
    // window procedure.
    void DestroyMainWindow();
    // Reads the program's icon, which every main window made from then on carries: the picture
    // kMainIconFile (any of the image readers' extensions), scaled down with its shape kept
    // when a side is above Platform::kMaxIconSide. A missing or unreadable one is no error: the
    // windows then have none.
    void LoadMainIcon();
    static constexpr const char* kMainIconFile = "images/IDI_MAIN_ICON";
    // Dispatches queued input, one record when `one`; answers whether records remain.
    bool DispatchQueuedInput(bool one);
    void ReplayDemoInput();
    // Reads the demo file named by mDemoFileName into the seed, markers, end tick and demo
    // buffer; on failure the reader's message goes to error.
    [[nodiscard]] bool ReadDemoFile(std::string& error);
    // Writes the demo file when recording; a file that cannot be made is skipped.
    void WriteDemoFile();
    // A value kept equal between a recording and its playback: written to the demo while
    // recording, replaced by the recorded value while playing back (until the user closed the
    // window or the records ran out), left alone otherwise.
    void SyncDemoBuffer(Buffer& buffer);
    void SyncDemoString(std::string& value);
    void SyncDemoBool(bool& value);
    // A character typed while a demo plays back: speed, pause, single tick, jumps, sound.
    void DemoPlaybackKey(char key);
    // "h:m:s", "m:s" or "s" in seconds; each field adds to the total so far times 60.
    static int ParseDemoJumpTime(const std::string& text);
    // The windows of the playback keys "L" and "J" (dialog ids kDemoMarkerDialogId and
    // kDemoJumpDialogId). While one is open the playback holds still: no update runs and no
    // record is replayed, real input goes to the window, and playback keys do nothing.
    [[nodiscard]] bool IsDemoControlOpen();
    // "name (hh:mm:ss)": the marker's name and the time of its update number.
    std::string DemoMarkerText(const DemoMarker& marker) const;
    // Sets the target to a marker's update number while it is still ahead; answers whether.
    bool JumpToDemoMarker(int update);
    // Stores text as the jump time and sets the target that long before the end.
    void JumpToDemoTime(const std::string& text);
    // Closes a playback window and puts the mouse back where the demo has it.
    void CloseDemoControl(int id);
    // Whether a record remains to be played back (less than a record is padding).
    bool DemoRecordsLeft() const;
    // For readers of value records: whether count bytes remain in the stream. When they do
    // not the demo is damaged and playback ends here, as after its last record.
    [[nodiscard]] bool DemoBytesLeft(uint32_t count);
    void EndDemoStream();
    // Numbered demo files prefix + "<n>.dmo" in the program's folder: answers the largest n (0
    // when there is none); with deleteOld, deletes the smallest-numbered one when at least
    // count exist.
    int NextDemoFileNumber(const std::string& prefix, int count, bool deleteOld);

    // ---- [Settings store] ----
    // Values under the application's key mRegKey in the settings store (platform/Registry.h); a "\"
    // in a value name addresses a subkey. With an empty mRegKey every call fails. Every call but
    // EraseRegValue passes through the demo: recorded while recording, answered from the demo while
    // playing back.
    bool WriteRegValue(const std::string& name, uint32_t type, const uint8_t* data,
                       uint32_t length);
    bool WriteRegString(const std::string& name, const std::string& value);
    bool WriteRegInt(const std::string& name, int value);
    bool WriteRegBool(const std::string& name, bool value);
    // On entry length is the buffer's size, on success the value's; false when the value is
    // missing or does not fit.
    bool ReadRegValue(const std::string& name, uint32_t& type, uint8_t* data, uint32_t& length);
    // A DWORD value; value is set only on success (another type fails).
    bool ReadRegInt(const std::string& name, int& value);
    bool ReadRegBool(const std::string& name, bool& value);
    void EraseRegValue(const std::string& name);
    // The whole file into out; doNotRecord keeps the read out of the demo (and real in playback).
    bool ReadBufferFromFile(const std::string& path, Buffer& out, bool doNotRecord = false);

    // ---- [Demo record framing] ----
    // Recording: the update delta of a record about to be written (with fillers for long gaps);
    // the current update count becomes the last record's.
    void WriteDemoUpdateDelta();
    // Recording: delta, mouse flag and code of a record (DemoRecord.h).
    void WriteDemoRecordHeader(int code, bool mouse);
    // Playback: reads the next record's header when one is pending (mDemoIsMouseRecord,
    // mDemoRecordCode, mDemoNextUpdate); answers whether that record is due at this update.
    bool ReadDemoUpdateDelta();
    // Playback: the header of a value record (fillers before it skipped, and screen modes
    // applied unless passScreenModes is false); leaves the next header pending.
    void ReadDemoValueHeader(bool passScreenModes = true);
    // Recording: the records of one dispatched input message.
    void RecordDemoInput(const Platform::Message& message);
    // Takes the refresh rate from the display; while recording writes the screen mode.
    void RecordScreenMode();

    // ---- [Activation, screen mode and cursors] ----
    // The screen saver's permission and idle hold (at most once a second, from the draw pass
    // and, while the hold is on, from the window timer).
    void CheckScreenSaverIdle(uint32_t now);
    // CheckScreenSaverIdle when a second has passed since the last check.
    void CheckScreenSaverIdleDue(uint32_t now);
    // Applies a change of the has-focus state (active and not minimised).
    void ProcessActivation();
    // Applies the active flag just set: the focus state, a full redraw in full screen, and a
    // link being opened counts as opened once the application is no longer active.
    void ApplyAppActivation();
    // Switches the display's 3-D flag; with reinit the display is initialised again.
    void Enable3D(bool is3D, bool reinit);
    bool Is3DOn() const override { return mDDInterface != nullptr && mDDInterface->mIs3D; }
    // Whether the 3-D capability test found 3-D usable (no failure), and recommended (no
    // warning either); false before a test ran.
    bool Is3DSupported() const;
    bool Is3DRecommended() const;
    void UseCustomCursors(bool use);
    // One of the six cursor images (index 0..5; not owned); other indices are ignored.
    void SetCursorImage(int index, Image* image);
    // Main thread: makes the cursor changes other threads asked for, in the order asked.
    void ApplyCursorRequests();

    // Every live MemoryImage is in the set from construction to destruction, so the
    // application can rebuild, purge and list all images. Safe from any thread.
    void AddMemoryImage(MemoryImage* image) override;
    void RemoveMemoryImage(MemoryImage* image) override;
    // Asks the display to drop the texture data it keeps for the image.
    void Remove3DData(MemoryImage* image) override;
    void ReadTexturesBack(MemoryImage* image) override;
    // The display, or the 32-bit layout while there is none.
    NativeDisplay* GetDisplayLayout() override;
    // The lock that guards the image set: the display's when there is one.
    LockSection& ImageSetLock();
    // A new display image (the caller's) of the whole image or of the rectangle's size, with
    // that part drawn into it; null without a display.
    DDImage* CopyImage(Image* image) override;
    DDImage* CopyImageRect(Image* image, const Rect& rect);

    // Clipboard text, code page 1251. GetClipboard answers the empty string when there is no
    // text; during demo playback it answers the text recorded.
    void CopyToClipboard(const std::string& text) override;
    std::string GetClipboard() override;
    WidgetManager* GetWidgetManager() override { return mWidgetManager; }

    // What the display asks: the screen it is to set, the 3-D test's settings, the popup flag,
    // the page-flip setting, the refresh-rate note and the image registry (this object).
    ScreenShape WantedScreen() const override { return {mWidth, mHeight, mColorDepth}; }
    Wanted3DTest Wanted3D() const override {
        return {mAutoEnable3D, mTest3D, mMinVidMemory3D, mRecommendedVidMemory3D};
    }
    bool IsPopupShown() const override { return mPopupShown; }
    bool UsesPageFlip() const override { return mPageFlip; }
    bool IsDrawingSuspended() const override { return mDrawingSuspended; }
    void NoteRefreshRateUnreliable() override { mRefreshRateUnreliable = true; }
    // Empty here; a product may look at the capability test's fresh outcome.
    void Fresh3DTestHook() override {}
    ImageRegistry* GetImageRegistry() override { return this; }

    // Developer tools. TakeScreenshot saves the screen as "_screenshots/image<N>.png", N one
    // more than the largest number there. WriteImageReport rebuilds "_dump" with
    // "imagelist.html" and a full PNG and a 64 x 64 JPEG thumbnail of every live image.
    void TakeScreenshot();
    void WriteImageReport();
    // The developer overlay (F3): on and off, or (nextMode) on and the other of its two modes,
    // frames a second and the mouse position. Its lines, top first: the demo time during
    // playback, then the mode's text. DrawDeveloperOverlay lays it over the screen image.
    void ToggleDeveloperOverlay(bool nextMode);
    std::vector<std::string> DeveloperOverlayLines() const;
    void DrawDeveloperOverlay();
    // Counts a presented frame; the rate is taken once a second.
    void CountOverlayFrame(uint32_t now);
    // The text of the "Video Stats" box (F8).
    std::string VideoStatsText();

    // ---- [Fields, in their fixed order] ----
    uint32_t mRandSeed = 0;
    std::string mCaptionPrefix; // before " Hardware Acceleration Confirmation"
    std::string mProdName = "Product";
    std::string mTitle = "VuroApp";
    std::string mRegKey; // under "SOFTWARE\"
    // The folder of the user's files as the product's paths name it ("data" in the game; empty:
    // none). Init leads it into the user's data folder under mRegKey, or into a copy of that
    // folder while a demo plays back (SetUpUserDataFolder).
    std::string mUserDataFolder;
    int mPreferredX = -1; // window position, -1 centred
    int mPreferredY = -1;
    int mWidth = 640;
    int mHeight = 480;
    int mColorDepth = 16;
    double mMusicVolume = 0.85;
    double mSfxVolume = 0.85;
    bool mNoSoundNeeded = false;
    bool mUseFmod = false;
    bool mCmdLineParsed = false;
    std::unique_ptr<Platform::InstanceLock> mInstanceLock; // held while this copy runs
    bool mOnlyAllowOneCopyToRun = true;
    uint32_t mNotifyMessage = 0; // a second copy asks this one to come forward
    // Saturating sum of two channel values: entry i is min(i, 255).
    static constexpr const uint8_t* mAdd8BitMaxTable = Blend::kAdd8BitMaxTable.data();
    WidgetManager* mWidgetManager;
    std::map<int, Dialog*> mDialogMap;
    std::list<Dialog*> mDialogList; // in the order added
    uint32_t mPrimaryThreadId = 0;
    std::atomic<bool> mShutdown{false}; // shutting down: ends the main loop
    bool mStepAbort = false;            // makes the next loop step return false
    bool mIsWindowed = true;            // wanted screen mode
    bool mIsPhysWindowed = true;        // actual mode of the main window
    bool mDesktopFullScreen = false;
    bool mInitialized = false;
    uint32_t mLoadTime;
    std::unique_ptr<Platform::Window> mMainWindow;
    Platform::WindowIcon mMainIcon; // held for every main window; empty: none
    bool mAllowMonitorPowersave = true;
    std::deque<Platform::Message> mInputQueue; // filled by the window procedure
    DDInterface* mDDInterface = nullptr;
    MusicInterface* mMusicInterface = nullptr;
    bool mSettingsLoaded = false;
    std::string mProductVersion;
    // Settings, activation, screen mode and cursors.
    bool mLastShutdownWasGraceful = true; // "InProgress" was 0 when the settings were read
    bool mHasFocus = true;                // active and not minimised
    bool mAutoMuteOnLostFocus = true;
    bool mMouseIn = false;             // the mouse is over the client area
    bool mDebugKeysEnabled = false;    // developer keys, toggled by Ctrl+Alt+D
    bool mForceFullscreen = false;     // the desktop's colour depth refused windowed mode
    bool mForceWindowed = false;       // full screen was refused
    uint32_t mResumeTick = 0;          // the window timer came back after a pause
    uint32_t mLastRecoveryAttempt = 0; // last re-initialisation after a lost surface
    int mRedrawCount = 0;
    // The main loop's state.
    int mLoopState = 0;      // 0 messages, 1 update, 2 after an update, 3 idle
    int mStepDepth = 0;      // nesting of RunLoopStep
    int mSingleStepMode = 0; // 0 off, 1 step once, 2 held
    bool mInMainLoop = false;
    uint32_t mLastTimerTick = 0;
    bool mIsDrawing = false;
    bool mSurfaceLost = false; // a present failed; recover before drawing again
    SoundManager* mSoundManager = nullptr;
    std::unique_ptr<Platform::SystemSoundPlayer> mSystemSounds; // made on the first click
    std::list<std::pair<int, Widget*>> mSafeDeleteQueue;        // (step depth, widget)
    bool mActive = true;
    bool mMinimized = false;
    // Loading and thread flags.
    std::atomic<bool> mAutoStartLoadingThread{true};
    std::atomic<bool> mLoadingThreadStarted{false};
    std::atomic<bool> mLoadingThreadCompleted{false}; // the thread's work is finished
    std::atomic<bool> mLoaded{false};                 // the main thread completed loading
    std::atomic<bool> mLoadingThreadRunning{false};
    std::atomic<bool> mShutdownRequested{false}; // Shutdown was asked on another thread
    // The end was asked from outside (the session ends, a kill): the user is asked nothing more.
    bool mSessionEnding = false;
    std::atomic<bool> mCursorThreadRunning{false};
    bool mWaitForVSync = false;
    bool mIs3DToggled = false;
    bool mAutoEnable3D = false;
    bool mTest3D = false;
    bool mSkip3DTest = false; // the capability test only passes its empty outcome through the demo
    int mMinVidMemory3D = 6;
    int mRecommendedVidMemory3D = 14;
    std::atomic<int> mNumLoadingThreadTasks{0};
    std::atomic<int> mCompletedLoadingThreadTasks{0};
    std::map<std::string, std::string> mStringProperties;
    ResourceManager* mResourceManager;
    bool mIsScreenSaver = false;
    // Report-only mode: started by a crashed copy to show its report (CrashReporter).
    bool mCrashReportOnly = false;
    int mCrashedProcessId = 0;    // that copy, which the report waits for to end
    std::string mCrashAttachment; // the file that copy asked to send with the report
    bool mCtrlDown = false;
    bool mAltDown = false;
    std::set<MemoryImage*> mMemoryImageSet;
    // System boxes, volumes, links and crash.
    bool mPopupShown = false; // a system box is up while in full screen
    bool mPageFlip = true;    // full screen presents by flipping; off: by a blit
    // The window is minimised (kept by the input dispatch, cleared with a new main window): the
    // 3-D device draws nothing meanwhile.
    bool mDrawingSuspended = false;
    int mMuteCount = 0;     // muted while above 0
    int mAutoMuteCount = 0; // the mutes of focus loss and demo fast-forward
    // A link being opened: whether the browser came up is judged later from activation.
    bool mIsOpeningURL = false;
    bool mShutdownOnURLOpen = false;
    std::string mOpeningURL;
    uint32_t mOpeningURLTime = 0; // clock when it was opened
    std::atomic<bool> mCrashed{false};
    // Developer overlay.
    bool mShowOverlay = false;
    int mOverlayMode = 0; // 0 frames a second, 1 mouse position
    int mOverlayFrames = 0;
    uint32_t mOverlayPeriodStart = 0;
    int mOverlayFrameRate = 0;
    std::unique_ptr<SysFont> mOverlayFont;
    std::unique_ptr<DDImage> mOverlayImages[2];

private:
    void PumpMessages();
    void DispatchInputRecord(const Platform::Message& message);
    // Parts of the frame pass.
    bool FastForwardPass();
    bool IdleFrame(bool allowSleep);
    bool DrawOrSleep(bool allowSleep, double msPerUpdate, int& slept);
    bool YieldToLoadingThread(bool allowSleep, uint32_t now, int slept);
    // Sleeps out the rest of the display's refresh period since the last present; the time.
    uint32_t WaitForRefreshPeriod(uint32_t now);
    void CompleteLoading();
    void LoadingThreadProc();
    void CursorThreadProc();
    void StopCursorThread();
    void RestoreDesktop();
    // Parts of the window procedure and the input dispatch.
    void HandleSystemKey(const Platform::Message& message, bool queued);
    void DispatchMouse(const Platform::Message& message);
    // Real input while a playback window is open: mouse, keys and wheel, to the widgets only.
    void DispatchDemoControlInput(const Platform::Message& message);
    void DispatchTimer();
    void CheckMouseInWindow();
    // Screensaver mode: whether the message was handled (swallowed) by the saver.
    bool ScreenSaverMessage(const Platform::Message& message);
    // Parts of making the display: initialise it, fall back from a failure (true: go on and
    // finish; false: a nested mode change finished it), give up, finish.
    int InitDisplay();
    bool FallBackFrom(int result);
    [[noreturn]] void FailDisplay(int result);
    void FinishDisplay();
    void RecoverLostSurface(uint32_t now);
    // Demo hooks of the loop.
    bool IsDemoRecordDue();
    void RecordLoadingDone();
    // Demo playback: the records of input, and the screen mode recorded at window creation.
    void ReplayMouseRecord(int code);
    void ReplayDemoRecord(int code);
    void ReplayDemoScreenMode();
    // The payload of a screen-mode record: windowed and the refresh rate.
    void ReadDemoScreenMode();
    // Demo playback controls.
    void ToggleDemoSound();
    void ShowDemoMarkerList();
    void ShowDemoJumpTime();

    LockSection mImageSetLock;
    // Away from the main thread a cursor change is queued for it; false on the main thread.
    bool AskCursorChange(const CursorRequest& request);
    bool mScreenSaverErrorWritten = false; // "ScrError.txt" was started this run
    std::thread mLoadingThread;
    // The loading thread runs a product's work (the object is of a type derived from this one).
    bool mLoadingWorkOfProduct = false;
    std::thread mCursorThread;
};

extern VuroAppBase* gVuroApp;

} // namespace Vuro
