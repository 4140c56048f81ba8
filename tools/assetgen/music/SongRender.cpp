#include "tools/assetgen/music/SongRender.h"

#include "tools/assetgen/audio/Dsp.h"
#include "tools/assetgen/music/Voices.h"

#include <algorithm>
#include <cmath>

namespace Vuro::AssetGen {

namespace {

constexpr double kPeakCeilingDb = -3.5;

// Two stereo buses: what is heard directly, and what goes to the room.
struct Buses {
    std::vector<float> mDry;
    std::vector<float> mSend;
    size_t Frames() const { return mDry.size() / 2; }
};

// Adds a voice at startFrame; a loop wraps what runs past its end to its start, a one-shot
// grows.
void Place(const std::vector<float>& voice, size_t startFrame, const Instrument& instrument,
           bool loop, size_t loopFrames, Buses& buses) {
    float left = 0.0f;
    float right = 0.0f;
    PanGains(instrument.mPan, left, right);
    const auto gain = static_cast<float>(instrument.mGain);
    const auto send = static_cast<float>(instrument.mSend);
    if (!loop && startFrame + voice.size() > buses.Frames()) {
        buses.mDry.resize((startFrame + voice.size()) * 2, 0.0f);
        buses.mSend.resize(buses.mDry.size(), 0.0f);
    }
    for (size_t i = 0; i < voice.size(); ++i) {
        const size_t frame = loop ? (startFrame + i) % loopFrames : startFrame + i;
        const float value = voice[i] * gain;
        buses.mDry[frame * 2] += value * left;
        buses.mDry[frame * 2 + 1] += value * right;
        buses.mSend[frame * 2] += value * left * send;
        buses.mSend[frame * 2 + 1] += value * right * send;
    }
}

// Turns the send bus into the room's answer to it, in place. For a loop the song is run
// through once beforehand, so the echo at the start carries on from the end.
void RunRoom(const Score& score, std::vector<float>& send) {
    Reverb room(kSongRate, score.mReverbSize, 0.5);
    const size_t frames = send.size() / 2;
    float ignored[2];
    if (score.mLoop) {
        for (size_t frame = 0; frame < frames; ++frame) {
            room.Process(send[frame * 2], send[frame * 2 + 1], ignored[0], ignored[1]);
        }
    }
    for (size_t frame = 0; frame < frames; ++frame) {
        room.Process(send[frame * 2], send[frame * 2 + 1], send[frame * 2], send[frame * 2 + 1]);
    }
}

} // namespace

Wave RenderSong(const Score& score) {
    double totalBeats = 0.0;
    const std::vector<std::vector<Note>> notes = Arrange(score, totalBeats);
    const double secondsPerBeat = score.SecondsPerBeat();
    const double framesPerBeat = secondsPerBeat * kSongRate;
    const auto songFrames = static_cast<size_t>(std::llround(totalBeats * framesPerBeat));
    Buses buses;
    // A one-shot keeps room after its last bar for the ring of its notes and the room.
    const size_t frames =
        score.mLoop ? songFrames : songFrames + static_cast<size_t>(score.mTail * kSongRate);
    buses.mDry.assign(frames * 2, 0.0f);
    buses.mSend.assign(frames * 2, 0.0f);

    for (size_t index = 0; index < notes.size(); ++index) {
        const Instrument& instrument = score.mInstruments[index];
        Noise noise(static_cast<uint32_t>(index * 7919 + 17));
        for (Note note : notes[index]) {
            // A little life in the velocities, the same on every build.
            note.mVelocity *= static_cast<float>(0.94 + 0.12 * noise.Uniform());
            const std::vector<float> voice =
                RenderVoice(instrument, note, note.mBeats * secondsPerBeat, kSongRate, noise);
            const auto start = static_cast<size_t>(std::llround(note.mBeat * framesPerBeat));
            Place(voice, start, instrument, score.mLoop, songFrames, buses);
        }
    }

    RunRoom(score, buses.mSend);
    Wave wave;
    wave.mRate = kSongRate;
    wave.mChannels = 2;
    wave.mSamples = std::move(buses.mDry);
    const auto mix = static_cast<float>(score.mReverbMix);
    for (size_t i = 0; i < wave.mSamples.size(); ++i) {
        wave.mSamples[i] += mix * buses.mSend[i];
    }
    if (score.mLoop) {
        RemoveMean(wave);
    } else {
        BlockDc(wave);
        TrimTail(wave, -60.0, 0.5);
    }
    const double rms = RmsOf(wave);
    if (rms > 0.0) {
        const auto gain = static_cast<float>(FromDecibels(score.mLevelDb) / rms);
        for (float& sample : wave.mSamples) {
            sample *= gain;
        }
    }
    LimitPeaks(wave, kPeakCeilingDb, score.mLoop);
    return wave;
}

} // namespace Vuro::AssetGen
