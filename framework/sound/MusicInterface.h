#pragma once
// Music, addressed by song ids the caller chooses when it loads a song. This base class is the
// silent back end: every operation does nothing, LoadMusic and IsPlaying answer false. Back
// ends over real decoders derive from it and keep the order of the operations.

#include <string>

namespace Vuro {

class MusicInterface {
public:
    MusicInterface() = default;
    virtual ~MusicInterface() = default;
    MusicInterface(const MusicInterface&) = delete;
    MusicInterface& operator=(const MusicInterface&) = delete;

    virtual bool LoadMusic(int /*songId*/, const std::string& /*fileName*/) { return false; }
    virtual void PlayMusic(int /*songId*/, int /*offset*/, bool /*noLoop*/) {}
    virtual void StopMusic(int /*songId*/) {}
    virtual void PauseMusic(int /*songId*/) {}
    virtual void ResumeMusic(int /*songId*/) {}
    virtual void StopAllMusic() {}
    virtual void UnloadMusic(int /*songId*/) {}
    virtual void UnloadAllMusic() {}
    virtual void PauseAllMusic() {}
    virtual void ResumeAllMusic() {}
    virtual void FadeIn(int /*songId*/, int /*offset*/, double /*speed*/, bool /*noLoop*/) {}
    virtual void FadeOut(int /*songId*/, bool /*stopSong*/, double /*speed*/) {}
    virtual void FadeOutAll(bool /*stopSong*/, double /*speed*/) {}
    virtual void SetSongVolume(int /*songId*/, double /*volume*/) {}
    virtual void SetSongMaxVolume(int /*songId*/, double /*volume*/) {}
    virtual bool IsPlaying(int /*songId*/) { return false; }
    // 0..1; the application sends 0 while muted.
    virtual void SetVolume(double /*volume*/) {}
    virtual void SetMusicAmplify(int /*songId*/, double /*amplify*/) {}
    // Once per fixed update: advances fades.
    virtual void Update() {}
};

} // namespace Vuro
