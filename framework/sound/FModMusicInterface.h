#pragma once
// Music through fmod.dll: songs loaded by LoadMusic play through the library's song calls
// (modules, and in the built-in library any song file); samples loaded by LoadSample or
// LoadSampleWithIntro (decoded once from Ogg files into "cached_" WAV files beside them) play
// on the library channel whose number is the song id. Volumes go to the library as integers
// 0..100: scale x music volume x song volume. The library is initialised and closed by the
// sound manager, not here. Operations on an id that has no song do nothing; IsPlaying answers
// false for it. Pausing or resuming all songs, unloading, maximum volumes and amplification do
// nothing in this back end.
//
// The song map is guarded by a lock (songs are loaded on the loading thread while the
// main thread updates the fades); a second load under a taken id replaces the song and frees
// the old sample (a song stays loaded until the library closes: it offers no call to free
// one); IsPlaying asks the channel of a sample song instead of answering false.

#include "framework/sound/MusicInterface.h"
#include "framework/util/LockSection.h"
#include "platform/FmodLibrary.h"

#include <map>
#include <string>

namespace Vuro {

namespace Platform {
class Window;
}

class FMOD_INSTANCE;

class FModMusicInterface : public MusicInterface {
public:
    explicit FModMusicInterface(Platform::Window* window);
    ~FModMusicInterface() override;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;
    void FadeOut(int songId, bool stopSong, double speed) override;
    void FadeOutAll(bool stopSong, double speed) override;
    void SetSongVolume(int songId, double volume) override;
    bool IsPlaying(int songId) override;
    void SetVolume(double volume) override;
    void Update() override;

    // A song that plays `introFile` once and then repeats `loopFile` (both named without
    // ".ogg"); false unless both decode with the same rate and format.
    virtual bool LoadSampleWithIntro(int songId, const std::string& introFile,
                                     const std::string& loopFile, bool loop);
    // A sample song from `file` + ".ogg"; it repeats when `loop` is set.
    virtual bool LoadSample(int songId, const std::string& file, bool loop);

    // The sample of `name` + ".ogg", through the cache file "cached_" + file name + ".wav" in
    // the same folder: read from the cache while it is newer than its source, else decoded and
    // written there again. Null when neither can be loaded.
    Platform::Fmod::Sample* DecodeToCachedWAV(const std::string& name);

    struct MusicInfo {
        Platform::Fmod::Sample* mHSample = nullptr; // null for a module
        Platform::Fmod::Module* mHMusic = nullptr;  // null for a sample
        double mVolume = 0.0;
        double mVolumeAdd = 0.0; // per update; > 0 fading in, < 0 fading out
        double mVolumeCap = 1.0;
        bool mStopOnFade = false;
        bool mRepeat = false; // a sample's loop flag
    };
    // The song's record; null when the id has none.
    const MusicInfo* Find(int songId) const;

private:
    MusicInfo* Get(int songId);
    bool AddSong(int songId, const MusicInfo& info);
    void SendVolume(int songId, const MusicInfo& info);
    void StartSample(int songId, const MusicInfo& info);
    void StopSong(int songId, const MusicInfo& info);
    void SetPaused(int songId, int paused);
    int ModuleVolume(const MusicInfo& info) const;
    int SampleVolume(const MusicInfo& info) const;

    FMOD_INSTANCE* mFMod;
    mutable LockSection mLock; // guards the song map
    std::map<int, MusicInfo> mMusicMap;
    double mMusicVolume = 1.0;
    int mModuleVolumeScale = 100;
    int mSampleVolumeScale = 100;
};

} // namespace Vuro
