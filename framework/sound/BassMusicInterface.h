#pragma once
// Music through bass.dll: streams (files named .wav, .ogg or .mp3) and tracker modules (any
// other name), each under a song id, with per-song volume, fades over update steps and
// amplification. Serves the older and the newer form of the library. Operations on an id that
// has no song do nothing; IsPlaying answers false for it. The offset of PlayMusic and FadeIn is
// an order of a module's song, and for a stream a byte of its decoded data, where it starts
// (a library without BASS_ChannelSetPosition starts streams at their beginning).
// The song map is guarded by a lock, since songs are loaded on the loading thread while
// the main thread updates the fades; the decoding itself runs outside the lock. A second load
// under a taken id replaces the song and frees the old one.

#include "framework/sound/MusicInterface.h"
#include "framework/util/LockSection.h"
#include "platform/BassLibrary.h"

#include <cstdint>
#include <map>

namespace Vuro {

namespace Platform {
class Window;
}

class BASS_INSTANCE;

class BassMusicInterface : public MusicInterface {
public:
    explicit BassMusicInterface(Platform::Window* window);
    ~BassMusicInterface() override;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void UnloadMusic(int songId) override;
    void UnloadAllMusic() override;
    void PauseAllMusic() override;
    void ResumeAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;
    void FadeOut(int songId, bool stopSong, double speed) override;
    void FadeOutAll(bool stopSong, double speed) override;
    void SetSongVolume(int songId, double volume) override;
    void SetSongMaxVolume(int songId, double volume) override;
    bool IsPlaying(int songId) override;
    void SetVolume(double volume) override;
    void SetMusicAmplify(int songId, double amplify) override;
    void Update() override;

    struct MusicInfo {
        uint32_t mHMusic = 0;  // module handle, 0 for a stream
        uint32_t mHStream = 0; // stream handle, 0 for a module
        double mVolume = 0.0;
        double mVolumeAdd = 0.0; // per update; > 0 fading in, < 0 fading out
        double mVolumeCap = 1.0;
        bool mStopOnFade = false;

        uint32_t Channel() const { return mHMusic != 0 ? mHMusic : mHStream; }
    };
    // The song's record; null when the id has none.
    const MusicInfo* Find(int songId) const;

private:
    MusicInfo* Get(int songId);
    void SendVolume(const MusicInfo& info);
    void StartStream(const MusicInfo& info, int offset, uint32_t flags);
    void FreeHandles(const MusicInfo& info);
    static void OnBothChannels(const MusicInfo& info, Platform::Bass::ChannelFn op);

    BASS_INSTANCE* mBass;
    mutable LockSection mLock; // guards the song map
    std::map<int, MusicInfo> mMusicMap;
    int mMaxMusicVolume = 40;
};

} // namespace Vuro
