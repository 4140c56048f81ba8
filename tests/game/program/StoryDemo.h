#pragma once
// tests/game/demos/story.dmo played back by the real program on SDL's dummy drivers,
// fast-forwarded (the key "0" typed on its standard input), with the record it saves after each
// level watched in the copy of the player files the playback works on: what the story demo test
// checks, and what bench_demo times.
//
// The constants come from the recorded run (record_story_demo prints them; the README of
// tests/game/demos says when to make the demo again).

#include "ProgramRun.h"

#include <string>
#include <vector>

namespace Vuro::Test {

// The recorded run's scores of levels 1 to 3 and the update counts at which it saved the record
// after each.
inline constexpr int kStoryLevelScores[] = {628, 428, 444};
inline constexpr int kStoryLevelEnds[] = {7536, 14136, 20736};

struct StoryDemoPlayback {
    int status = -1;    // the program's exit status; -1: it did not end in 100 s
    std::string output; // its stdout and stderr
    int recordedMs = 0; // the demo's length
    double wholeMs = 0; // the whole playback on the wall clock, loading included
    // The wall time and the program's processor seconds at each level's save, first level
    // first. A save passed by unseen (a busy machine) counts as made when the next was seen.
    std::vector<ProgramRun::Clock::time_point> saves;
    std::vector<double> savesCpu;

    // Levels 2 and 3 (between the first and the third save): their recorded length, and how
    // many times faster than that they played by processor time and by the wall clock.
    int LevelsMs() const;
    double CpuSpeed() const;
    double WallSpeed() const;
};

// Plays the demo in run's folder; run must not have been started.
StoryDemoPlayback PlayStoryDemo(ProgramRun& run);

} // namespace Vuro::Test
