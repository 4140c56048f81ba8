#pragma once
// What the play field asks of the application while a level plays: sound effects and music by
// id, the mouse cursor, and whether the current player plays the easy set. The field calls only
// these, so tests hand it a recording fake and the game hands it PlayFieldAppHost.
//
// Sample ids and song ids are the game's own (loaded by the game application); an id without a
// sound or song plays nothing.

namespace Vuro {

class ProfileManager;

// The application's cursor numbers.
namespace CursorId {
inline constexpr int kArrow = 0;
inline constexpr int kHand = 1;
inline constexpr int kStoryAim = 3;  // story mode's aim
inline constexpr int kSlingshot = 4; // survival mode, and over a bird
} // namespace CursorId

class PlayFieldHost {
public:
    PlayFieldHost() = default;
    virtual ~PlayFieldHost() = default;
    PlayFieldHost(const PlayFieldHost&) = delete;
    PlayFieldHost& operator=(const PlayFieldHost&) = delete;

    virtual void PlaySample(int id) = 0;
    // Plays the song from its start, looping.
    virtual void PlayMusic(int songId) = 0;
    virtual void StopMusic(int songId) = 0;
    virtual bool IsMusicPlaying(int songId) = 0;
    // A CursorId (the story aim or the slingshot).
    virtual void SetCursor(int cursorNum) = 0;
    // The current player's record has its easy-mode byte set.
    virtual bool IsEasyModePlayer() = 0;
};

// The game's host: samples, music and the cursor through the one application object
// (gVuroApp), each a no-op while there is none or it has no sound manager or music; the
// difficulty from the profile manager's current record (not easy without one).
class PlayFieldAppHost : public PlayFieldHost {
public:
    explicit PlayFieldAppHost(const ProfileManager* profiles = nullptr) : mProfiles(profiles) {}

    void PlaySample(int id) override;
    void PlayMusic(int songId) override;
    void StopMusic(int songId) override;
    bool IsMusicPlaying(int songId) override;
    void SetCursor(int cursorNum) override;
    bool IsEasyModePlayer() override;

private:
    const ProfileManager* mProfiles; // borrowed
};

} // namespace Vuro
