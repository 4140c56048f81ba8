#pragma once
// The instruments of the song synthesiser. Each renders one note on its own, as mono samples
// from the note's start to the end of its release; the song mixes them.
//
// Pitched kinds: pluck (a plucked string, Karplus-Strong), epiano and bell (two-operator FM),
// marimba, flute (sines with breath and delayed vibrato), reed (two detuned pulses: accordion,
// harmonica), bass (saw and sine through a closing filter), pad (detuned saws, slow), brass
// (saws behind an opening filter), rainfall (a bed of filtered noise with equal-power ends, so
// two of them cross-fade without a dip). Drum kinds are noise and swept sines.

#include "tools/assetgen/audio/Dsp.h"
#include "tools/assetgen/music/Score.h"

#include <cstdint>
#include <vector>

namespace Vuro::AssetGen {

// heldSeconds: from the note's start to its release (ignored by drums).
std::vector<float> RenderVoice(const Instrument& instrument, const Note& note, double heldSeconds,
                               uint32_t rate, Noise& noise);
// One hit of a drum kind; RenderVoice hands drums to it.
std::vector<float> RenderDrum(const Instrument& instrument, float velocity, uint32_t rate,
                              Noise& noise);

} // namespace Vuro::AssetGen
