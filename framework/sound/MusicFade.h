#pragma once
// The fade rule of the music back ends, run once per update for a song record whose volume step
// is not 0: the step is added to the volume; above the maximum the volume stops there, below 0
// it stops at 0; either way the fade ends.

namespace Vuro {

// Answers true when the song has just faded out (the caller stops it when asked to).
template <typename Info> bool StepFade(Info& info) {
    info.mVolume += info.mVolumeAdd;
    if (info.mVolume > info.mVolumeCap) {
        info.mVolume = info.mVolumeCap;
        info.mVolumeAdd = 0.0;
    } else if (info.mVolume < 0.0) {
        info.mVolume = 0.0;
        info.mVolumeAdd = 0.0;
        return true;
    }
    return false;
}

} // namespace Vuro
