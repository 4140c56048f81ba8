#include "tools/assetgen/sounds/EffectRecipe.h"

#include "tools/assetgen/audio/Dsp.h"

#include <functional>
#include <map>

namespace Vuro::AssetGen {

namespace {

bool ParseWave(const std::string& word, Waveform& wave) {
    static const std::map<std::string, Waveform> kWaves = {
        {"sine", Waveform::Sine}, {"triangle", Waveform::Triangle}, {"square", Waveform::Square},
        {"saw", Waveform::Saw},   {"noise", Waveform::Noise},       {"dust", Waveform::Dust}};
    const auto found = kWaves.find(word);
    if (found == kWaves.end()) {
        return false;
    }
    wave = found->second;
    return true;
}

// "A" or "A>B", each part read by parsePart.
bool ParseSweep(const std::string& word, Sweep& sweep,
                const std::function<bool(const std::string&, double&)>& parsePart) {
    const size_t arrow = word.find('>');
    if (arrow == std::string::npos) {
        if (!parsePart(word, sweep.mFrom)) {
            return false;
        }
        sweep.mTo = sweep.mFrom;
        return true;
    }
    return parsePart(word.substr(0, arrow), sweep.mFrom) &&
           parsePart(word.substr(arrow + 1), sweep.mTo);
}

bool ParseLayer(const SourceText& source, const SourceLine& line, EffectLayer& layer) {
    const auto& words = line.mWords;
    if (words.size() < 2 || !ParseWave(words[1], layer.mWave)) {
        return source.Fail(line.mNumber, "'tone' needs a wave: sine, triangle, square, saw, "
                                         "noise or dust");
    }
    size_t pos = 2;
    // Reads the next word as a number into value.
    auto number = [&](double& value) {
        return pos < words.size() && ParseNumber(words[pos++], value);
    };
    auto sweep = [&](Sweep& value, bool pitch) {
        return pos < words.size() &&
               ParseSweep(words[pos++], value, pitch ? ParsePitch : ParseNumber);
    };
    double count = 0.0;
    double seed = 0.0;
    while (pos < words.size()) {
        const std::string& key = words[pos++];
        bool ok = true;
        if (key == "at") {
            ok = number(layer.mAt);
        } else if (key == "len") {
            ok = number(layer.mLength) && layer.mLength > 0.0;
        } else if (key == "gain") {
            ok = number(layer.mGain);
        } else if (key == "pitch") {
            ok = sweep(layer.mPitch, true);
        } else if (key == "glide") {
            ok = number(layer.mGlide);
        } else if (key == "attack") {
            ok = number(layer.mAttack);
        } else if (key == "decay") {
            ok = number(layer.mDecay);
        } else if (key == "release") {
            ok = number(layer.mRelease);
        } else if (key == "vibrato") {
            ok = number(layer.mVibratoRate) && number(layer.mVibratoDepth);
        } else if (key == "tremolo") {
            ok = number(layer.mTremoloRate) && number(layer.mTremoloDepth);
        } else if (key == "fm") {
            ok = number(layer.mFmRatio) && sweep(layer.mFmIndex, false);
        } else if (key == "width") {
            ok = number(layer.mWidth);
        } else if (key == "lowpass") {
            ok = sweep(layer.mLowpass, true);
        } else if (key == "highpass") {
            ok = sweep(layer.mHighpass, true);
        } else if (key == "bandpass") {
            ok = sweep(layer.mBandpass, true);
        } else if (key == "q") {
            ok = number(layer.mQ) && layer.mQ > 0.0;
        } else if (key == "pan") {
            ok = number(layer.mPan);
        } else if (key == "voices") {
            ok = number(count) && number(layer.mDetuneCents) && count >= 1.0;
            layer.mVoices = static_cast<int>(count);
        } else if (key == "repeat") {
            ok = number(count) && count >= 1.0;
            layer.mRepeat = static_cast<int>(count);
        } else if (key == "every") {
            ok = number(layer.mEvery);
        } else if (key == "shrink") {
            ok = number(layer.mShrink);
        } else if (key == "seed") {
            ok = number(seed);
            layer.mSeed = static_cast<uint32_t>(seed);
        } else if (key == "notes") {
            double hertz = 0.0;
            while (pos < words.size() && ParsePitch(words[pos], hertz)) {
                layer.mNotes.push_back(hertz);
                ++pos;
            }
            ok = !layer.mNotes.empty();
            layer.mRepeat = static_cast<int>(layer.mNotes.size());
        } else {
            return source.Fail(line.mNumber, "unknown key '" + key + "'");
        }
        if (!ok) {
            return source.Fail(line.mNumber, "bad value after '" + key + "'");
        }
    }
    return true;
}

// A setting line; false when its key or value is not understood.
bool ReadSetting(const std::vector<std::string>& words, EffectRecipe& recipe) {
    const std::string& key = words[0];
    double value = 0.0;
    const bool oneNumber = words.size() == 2 && ParseNumber(words[1], value);
    if (key == "format" && words.size() == 2 &&
        (words[1] == "wav" || words[1] == "ogg" || words[1] == "au")) {
        recipe.mFormat = words[1];
    } else if (key == "channels" && oneNumber && (value == 1.0 || value == 2.0)) {
        recipe.mChannels = static_cast<int>(value);
    } else if (key == "rate" && oneNumber && value >= 8000.0 && value <= 48000.0) {
        recipe.mRate = static_cast<uint32_t>(value);
    } else if (key == "peak" && oneNumber && value < 0.0) {
        recipe.mPeakDb = value;
    } else if (key == "reverb" && words.size() == 3) {
        return ParseNumber(words[1], recipe.mReverbMix) &&
               ParseNumber(words[2], recipe.mReverbSize);
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseEffectRecipe(const SourceText& source, EffectRecipe& recipe) {
    for (const SourceLine& line : source.Lines()) {
        if (line.mWords[0] == "tone") {
            EffectLayer layer;
            layer.mSeed = static_cast<uint32_t>(recipe.mLayers.size() + 1);
            if (!ParseLayer(source, line, layer)) {
                return false;
            }
            recipe.mLayers.push_back(layer);
        } else if (!ReadSetting(line.mWords, recipe)) {
            return source.Fail(line.mNumber, "cannot read '" + line.mWords[0] + "' line");
        }
    }
    if (recipe.mLayers.empty()) {
        return source.Fail(0, "no 'tone' layer");
    }
    return true;
}

} // namespace Vuro::AssetGen
