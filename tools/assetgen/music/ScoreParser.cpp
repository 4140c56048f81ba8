// Reads a score's text form (see Score.h) and lays its sections out into one song.

#include "tools/assetgen/audio/Dsp.h"
#include "tools/assetgen/music/Score.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace Vuro::AssetGen {

namespace {

const std::map<std::string, VoiceKind>& KindNames() {
    static const std::map<std::string, VoiceKind> kNames = {
        {"pluck", VoiceKind::Pluck},   {"epiano", VoiceKind::EPiano},
        {"bell", VoiceKind::Bell},     {"marimba", VoiceKind::Marimba},
        {"flute", VoiceKind::Flute},   {"reed", VoiceKind::Reed},
        {"bass", VoiceKind::Bass},     {"pad", VoiceKind::Pad},
        {"brass", VoiceKind::Brass},   {"rainfall", VoiceKind::Rainfall},
        {"kick", VoiceKind::Kick},     {"snare", VoiceKind::Snare},
        {"hat", VoiceKind::Hat},       {"openhat", VoiceKind::OpenHat},
        {"shaker", VoiceKind::Shaker}, {"clap", VoiceKind::Clap},
        {"wood", VoiceKind::Wood},     {"brush", VoiceKind::Brush},
        {"tom", VoiceKind::Tom},       {"crash", VoiceKind::Crash},
        {"drip", VoiceKind::Drip}};
    return kNames;
}

constexpr double kEpsilon = 1e-6;

class ScoreReader {
public:
    ScoreReader(const SourceText& source, Score& score) : mSource(source), mScore(score) {}

    bool Read() {
        for (const SourceLine& line : mSource.Lines()) {
            if (!ReadLine(line)) {
                return false;
            }
        }
        if (mScore.mSections.empty()) {
            return mSource.Fail(0, "no section");
        }
        if (!CloseSection(mScore.mSections.back())) {
            return false;
        }
        if (mScore.mOrder.empty()) {
            for (size_t i = 0; i < mScore.mSections.size(); ++i) {
                mScore.mOrder.push_back(static_cast<int>(i));
            }
        }
        return true;
    }

private:
    // What is known of a track while its bars are read.
    struct TrackState {
        double mBeats = 0.0;      // the track's length so far
        double mLastLength = 1.0; // a note without ":" keeps it
        double mPosition = 0.0;   // in the bar being read
        std::vector<Note> mBar;   // its notes, placed from the bar's start
        std::vector<Note> mLastBar;
        int mLine = 0;
    };

    bool ReadLine(const SourceLine& line) {
        const auto& words = line.mWords;
        const std::string& key = words[0];
        double value = 0.0;
        auto oneNumber = [&](double low, double high) {
            return words.size() == 2 && ParseNumber(words[1], value) && value >= low &&
                   value <= high;
        };
        if (key == "tempo" && oneNumber(30, 300)) {
            mScore.mTempo = value;
        } else if (key == "meter" && oneNumber(1, 12)) {
            mScore.mMeter = static_cast<int>(value);
            mScore.mSteps = mScore.mMeter * 4;
        } else if (key == "steps" && oneNumber(1, 64)) {
            mScore.mSteps = static_cast<int>(value);
        } else if (key == "swing" && oneNumber(0, 0.4)) {
            mScore.mSwing = value;
        } else if (key == "level" && oneNumber(-40, -6)) {
            mScore.mLevelDb = value;
        } else if (key == "tail" && oneNumber(0, 10)) {
            mScore.mTail = value;
        } else if (key == "loop" && words.size() == 2 && (words[1] == "yes" || words[1] == "no")) {
            mScore.mLoop = words[1] == "yes";
        } else if (key == "reverb" && words.size() == 3) {
            if (!ParseNumber(words[1], mScore.mReverbMix) ||
                !ParseNumber(words[2], mScore.mReverbSize)) {
                return mSource.Fail(line.mNumber, "write 'reverb MIX SIZE'");
            }
        } else if (key == "instrument") {
            return ReadInstrument(line);
        } else if (key == "section" && words.size() == 2) {
            if (!mScore.mSections.empty() && !CloseSection(mScore.mSections.back())) {
                return false;
            }
            mScore.mSections.push_back({words[1], 0.0, {}});
            mScore.mSections.back().mTracks.resize(mScore.mInstruments.size());
            mTracks.assign(mScore.mInstruments.size(), TrackState{});
        } else if (key == "order") {
            return ReadOrder(line);
        } else if (const int instrument = InstrumentIndex(key); instrument >= 0) {
            if (mScore.mSections.empty()) {
                return mSource.Fail(line.mNumber, "a track before the first section");
            }
            return ReadTrack(line, instrument);
        } else {
            return mSource.Fail(line.mNumber, "cannot read '" + key + "' line");
        }
        return true;
    }

    bool ReadInstrument(const SourceLine& line) {
        const auto& words = line.mWords;
        if (!mScore.mSections.empty()) {
            return mSource.Fail(line.mNumber, "instruments come before the sections");
        }
        if (words.size() < 3 || words.size() % 2 == 0 || InstrumentIndex(words[1]) >= 0 ||
            KindNames().count(words[2]) == 0) {
            return mSource.Fail(line.mNumber, "write 'instrument NAME KIND [KEY VALUE]...' "
                                              "with a new name and a known kind");
        }
        Instrument instrument;
        instrument.mName = words[1];
        instrument.mKind = KindNames().at(words[2]);
        VoiceSettings& voice = instrument.mVoice;
        const std::map<std::string, double*> keys = {
            {"gain", &instrument.mGain},     {"pan", &instrument.mPan},
            {"send", &instrument.mSend},     {"attack", &voice.mAttack},
            {"decay", &voice.mDecay},        {"release", &voice.mRelease},
            {"bright", &voice.mBright},      {"cutoff", &voice.mCutoff},
            {"detune", &voice.mDetuneCents}, {"vibrato", &voice.mVibrato},
            {"pitch", &voice.mPitch}};
        for (size_t pos = 3; pos + 1 < words.size(); pos += 2) {
            const auto found = keys.find(words[pos]);
            if (found == keys.end() || !ParseNumber(words[pos + 1], *found->second)) {
                return mSource.Fail(line.mNumber, "bad key or value '" + words[pos] + "'");
            }
        }
        mScore.mInstruments.push_back(instrument);
        return true;
    }

    bool ReadOrder(const SourceLine& line) {
        for (size_t pos = 1; pos < line.mWords.size(); ++pos) {
            int found = -1;
            for (size_t i = 0; i < mScore.mSections.size(); ++i) {
                if (mScore.mSections[i].mName == line.mWords[pos]) {
                    found = static_cast<int>(i);
                }
            }
            if (found < 0) {
                return mSource.Fail(line.mNumber, "no section '" + line.mWords[pos] + "'");
            }
            mScore.mOrder.push_back(found);
        }
        return true;
    }

    int InstrumentIndex(const std::string& name) const {
        for (size_t i = 0; i < mScore.mInstruments.size(); ++i) {
            if (mScore.mInstruments[i].mName == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    bool ReadTrack(const SourceLine& line, int instrument) {
        TrackState& track = mTracks[instrument];
        track.mLine = line.mNumber;
        const bool drum = IsDrum(mScore.mInstruments[instrument].mKind);
        for (size_t pos = 1; pos < line.mWords.size(); ++pos) {
            const std::string& word = line.mWords[pos];
            bool ok = true;
            if (word == "|") {
                if (!CloseBar(line, instrument)) {
                    return false;
                }
            } else if (word == "%") {
                if (track.mPosition != 0.0 || track.mBeats == 0.0) {
                    return mSource.Fail(line.mNumber, "'%' stands alone in a bar after a bar");
                }
                track.mBar = track.mLastBar;
                track.mPosition = mScore.mMeter;
            } else {
                ok = drum ? ReadSteps(word, track) : ReadNote(word, track);
            }
            if (!ok) {
                return mSource.Fail(line.mNumber, "cannot read '" + word + "'");
            }
        }
        return true;
    }

    bool ReadNote(const std::string& word, TrackState& track) {
        std::string pitches = word;
        float velocity = 0.8f;
        const size_t colon = word.find(':');
        if (colon != std::string::npos) {
            pitches = word.substr(0, colon);
            std::string length = word.substr(colon + 1);
            if (!length.empty() && length.back() == '!') {
                velocity = 1.0f;
                length.pop_back();
            }
            if (!ParseNumber(length, track.mLastLength) || track.mLastLength <= 0.0) {
                return false;
            }
        }
        if (pitches != "-") {
            // A chord's notes start together.
            size_t start = 0;
            while (true) {
                const size_t plus = pitches.find('+', start);
                const int number = NoteNumberOf(pitches.substr(
                    start, plus == std::string::npos ? std::string::npos : plus - start));
                if (number < 0) {
                    return false;
                }
                track.mBar.push_back(
                    {track.mPosition, track.mLastLength, static_cast<double>(number), velocity});
                if (plus == std::string::npos) {
                    break;
                }
                start = plus + 1;
            }
        }
        track.mPosition += track.mLastLength;
        return true;
    }

    bool ReadSteps(const std::string& word, TrackState& track) {
        const double stepBeats = static_cast<double>(mScore.mMeter) / mScore.mSteps;
        for (char step : word) {
            float velocity = 0.0f;
            switch (step) {
            case 'x':
                velocity = 0.8f;
                break;
            case 'X':
                velocity = 1.0f;
                break;
            case 'o':
                velocity = 0.5f;
                break;
            case '.':
                break;
            default:
                return false;
            }
            if (velocity > 0.0f) {
                track.mBar.push_back({track.mPosition, stepBeats, 0.0, velocity});
            }
            track.mPosition += stepBeats;
        }
        return true;
    }

    bool CloseBar(const SourceLine& line, int instrument) {
        TrackState& track = mTracks[instrument];
        if (std::fabs(track.mPosition - mScore.mMeter) > kEpsilon) {
            const int bar = static_cast<int>(track.mBeats / mScore.mMeter) + 1;
            char beats[32];
            std::snprintf(beats, sizeof beats, "%g", track.mPosition);
            return mSource.Fail(line.mNumber, "bar " + std::to_string(bar) + " of '" +
                                                  mScore.mInstruments[instrument].mName +
                                                  "' holds " + beats + " beats, not " +
                                                  std::to_string(mScore.mMeter));
        }
        std::vector<Note>& notes = mScore.mSections.back().mTracks[instrument];
        for (Note note : track.mBar) {
            note.mBeat += track.mBeats;
            notes.push_back(note);
        }
        track.mLastBar = std::move(track.mBar);
        track.mBar.clear();
        track.mPosition = 0.0;
        track.mBeats += mScore.mMeter;
        return true;
    }

    bool CloseSection(Section& section) {
        for (size_t i = 0; i < mTracks.size(); ++i) {
            const TrackState& track = mTracks[i];
            if (track.mPosition != 0.0) {
                return mSource.Fail(track.mLine, "a bar of '" + mScore.mInstruments[i].mName +
                                                     "' is not closed with '|'");
            }
            if (track.mBeats == 0.0) {
                continue;
            }
            if (section.mBeats == 0.0) {
                section.mBeats = track.mBeats;
            } else if (std::fabs(section.mBeats - track.mBeats) > kEpsilon) {
                return mSource.Fail(track.mLine, "'" + mScore.mInstruments[i].mName +
                                                     "' is not as long as the other tracks of "
                                                     "section '" +
                                                     section.mName + "'");
            }
        }
        if (section.mBeats == 0.0) {
            return mSource.Fail(0, "section '" + section.mName + "' is empty");
        }
        return true;
    }

    const SourceText& mSource;
    Score& mScore;
    std::vector<TrackState> mTracks; // of the section being read
};

// Swing moves the second half of every beat later, stretching what lies between.
double Swung(double beat, double swing) {
    const double whole = std::floor(beat);
    const double part = beat - whole;
    const double moved =
        part <= 0.5 ? part * (0.5 + swing) / 0.5 : 0.5 + swing + (part - 0.5) * (0.5 - swing) / 0.5;
    return whole + moved;
}

} // namespace

bool IsDrum(VoiceKind kind) {
    return kind >= VoiceKind::Kick;
}

bool ParseScore(const SourceText& source, Score& score) {
    return ScoreReader(source, score).Read();
}

std::vector<std::vector<Note>> Arrange(const Score& score, double& totalBeats) {
    std::vector<std::vector<Note>> notes(score.mInstruments.size());
    totalBeats = 0.0;
    for (int index : score.mOrder) {
        const Section& section = score.mSections[index];
        for (size_t i = 0; i < section.mTracks.size(); ++i) {
            for (Note note : section.mTracks[i]) {
                note.mBeat = totalBeats + Swung(note.mBeat, score.mSwing);
                notes[i].push_back(note);
            }
        }
        totalBeats += section.mBeats;
    }
    return notes;
}

} // namespace Vuro::AssetGen
