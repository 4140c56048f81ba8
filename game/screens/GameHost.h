#pragma once
// What the game's screens ask of the game application: the player's profiles and the score
// tables, the help texts, the game's cursor choice and menu cursor, the stage map's mode and
// pending message, the game's sounds loaded, the fatal error box, and the switches between
// screens. The game application implements it; screen code sees no other part of it. The
// framework's services (pictures, dialogs, sounds, music, focus, the loading-task counters) the
// screens reach through App().

#include <optional>
#include <string>

namespace Vuro {

class Image;
class ProfileManager;
class ScoreTables;
struct RunState;
class VuroAppBase;
class Widget;

// A switch a screen asks for: the screen it leaves, the screen it goes to, and the map mode the
// switch sets (none: the mode stays).
struct ScreenSwitch {
    int from;
    int to;
    std::optional<int> mapMode = std::nullopt;
};

class GameHost {
public:
    // Screen ids: the values of a switch's from and to.
    static constexpr int kScreenIntro = 0; // only ever a screen left
    static constexpr int kScreenMenu = 1;
    static constexpr int kScreenStory = 2;
    static constexpr int kScreenSurvive = 3;
    static constexpr int kScreenNone = 4;
    static constexpr int kScreenMap = 5;        // the stage map above the menu
    static constexpr int kScreenTitres = 6;     // the prologue or the credits above the menu
    static constexpr int kScreenMenuMap = 7;    // a new menu and the map, after a level
    static constexpr int kScreenMenuTitres = 8; // a new menu and the credits, after a mode's end

    // Map modes.
    static constexpr int kMapModeSurvival = 0;
    static constexpr int kMapModeStory = 1;
    static constexpr int kMapModeCompleted = 99; // the current mode's last level was won

    // The framework's application the game runs on.
    virtual VuroAppBase& App() = 0;

    // ---- [Player data] ----
    virtual ProfileManager& GetProfileManager() = 0;
    virtual ScoreTables& GetScoreTables() = 0;
    // What the play boards' fields carry across levels and boards for the whole run.
    virtual RunState& GetRunState() = 0;

    // ---- [Texts and cursors] ----
    // Help text 1..28 (Text1..Text28 of local/1.xml); empty for another number.
    virtual const std::string& GetHelpText(int number) const = 0;
    // The game's own cursors are chosen (the options' box); the boards switch cursors only then.
    virtual bool HasCustomCursors() const = 0;
    virtual void SetCustomCursors(bool on) = 0;
    // The menu cursor picture every cursor shows outside play.
    virtual Image* GetMenuCursor() const = 0;

    // ---- [The stage map's mode and message] ----
    virtual int GetMapMode() const = 0;
    virtual void SetMapMode(int mode) = 0;
    // The message the map shows on its next visit: a MapMessage (StageTables.h).
    virtual int GetMapMessage() const = 0;
    virtual void SetMapMessage(int message) = 0;

    // ---- [Loading] ----
    // The game's sound effects and music (loading thread, from the menu's loader); once.
    virtual void LoadSounds() = 0;
    // The game's error box; fatal ends the process with status 1.
    virtual void ShowError(const std::string& text, bool fatal) = 0;

    // ---- [Screens] ----
    // Begins the switch, which ends in the application's finish of it; a target outside 1..8
    // (and 4) begins nothing.
    virtual void RequestSwitch(const ScreenSwitch& request) = 0;
    // Ends the switch to the menu the intro began (the intro's start box).
    virtual void FinishMenuScreen() = 0;
    // The player quits from the menu: no switch begins, the application shuts down.
    virtual void RequestQuit() = 0;
    // The screen with the focus.
    virtual const Widget* GetCurrentScreen() const = 0;

protected:
    ~GameHost() = default;
};

} // namespace Vuro
