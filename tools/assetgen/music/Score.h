#pragma once
// A song's score: its instruments, sections of note and drum tracks, and the order in which
// the sections play.
//
// The text form (assets/music/<song>.txt), one setting per line:
//   tempo BPM           quarter-note beats a minute          meter N   beats to a bar (4)
//   steps N             drum steps to a bar (4 a beat)       swing S   offbeats later by S beats
//   loop yes|no         a loop joins its end to its start; a one-shot ends in silence
//   reverb MIX SIZE     the room (wet share, size 0..1)      level DB  RMS loudness (-18)
//   tail SECONDS        how long a one-shot rings after its last bar (3)
//   instrument NAME KIND [KEY VALUE ...]   keys: gain, pan (-1..1), send (to the room),
//                       attack, decay, release (seconds), bright (0..1), cutoff (Hz), detune
//                       (cents), vibrato (semitones), pitch (Hz, for drums)
//   section NAME        the tracks below belong to it
//   NAME WORDS...       a track of that instrument, bar after bar, "|" closing each bar:
//                       notes "C5:1" (pitch : beats; a note without ":" keeps the last length),
//                       chords "C4+E4+G4:4", rests "-:1", an accent "!" after the length, and a
//                       bar of "%" repeating the bar before. Drum tracks take step patterns per
//                       bar: "x..x" (x hit, X accent, o soft, . rest).
//   order A B A         the sections of the song, in sequence
// Every bar must hold exactly one bar of time and every track of a section the same number of
// bars, so a mistake is reported with its line instead of shifting the rest of the song.

#include "tools/assetgen/audio/SourceText.h"

#include <string>
#include <vector>

namespace Vuro::AssetGen {

enum class VoiceKind {
    // pitched
    Pluck,
    EPiano,
    Bell,
    Marimba,
    Flute,
    Reed,
    Bass,
    Pad,
    Brass,
    Rainfall, // a bed of rain noise; its pitch is ignored
    // drums
    Kick,
    Snare,
    Hat,
    OpenHat,
    Shaker,
    Clap,
    Wood,
    Brush,
    Tom,
    Crash,
    Drip,
};

bool IsDrum(VoiceKind kind);

// How one instrument sounds; a negative time means the kind's own default.
struct VoiceSettings {
    double mAttack = -1.0;
    double mDecay = -1.0;
    double mRelease = -1.0;
    double mBright = 0.5;
    double mCutoff = 0.0; // 0: the kind's own
    double mDetuneCents = 0.0;
    double mVibrato = 0.0;
    double mPitch = 0.0; // drums: 0 for the kind's own
};

struct Instrument {
    std::string mName;
    VoiceKind mKind = VoiceKind::Pluck;
    double mGain = 0.5;
    double mPan = 0.0;
    double mSend = 0.2;
    VoiceSettings mVoice;
};

struct Note {
    double mBeat = 0.0;   // from the start of its section (of the song, once arranged)
    double mBeats = 1.0;  // how long it is held
    double mNumber = 0.0; // MIDI note number; 0 for a drum hit
    float mVelocity = 0.8f;
};

struct Section {
    std::string mName;
    double mBeats = 0.0;
    std::vector<std::vector<Note>> mTracks; // by instrument index
};

struct Score {
    double mTempo = 120.0;
    int mMeter = 4;
    int mSteps = 16;
    double mSwing = 0.0;
    bool mLoop = true;
    double mReverbMix = 0.15;
    double mReverbSize = 0.5;
    double mLevelDb = -18.0;
    double mTail = 3.0;
    std::vector<Instrument> mInstruments;
    std::vector<Section> mSections;
    std::vector<int> mOrder; // section indices

    double SecondsPerBeat() const { return 60.0 / mTempo; }
};

// False, after a message naming the line, on anything it cannot read.
[[nodiscard]] bool ParseScore(const SourceText& source, Score& score);

// The notes of each instrument over the whole song, with swing applied; totalBeats gets the
// song's length.
std::vector<std::vector<Note>> Arrange(const Score& score, double& totalBeats);

} // namespace Vuro::AssetGen
