#pragma once
// The layering of the source tree, as a table a program can check: which folder may include
// which. platform <- util <- graphics <- fonts <- widgets <- app, with display and sound beside
// graphics, debug over the application and the game over the whole framework, in its own
// layers: game/player <- game/rules <- game/screens <- game/app, with game/ itself and any
// folder of it the table does not name below them all (it includes only the framework). Only
// platform/ includes SDL, FreeType, fontconfig, X11, POSIX or cpuid headers. Tools, tests,
// benchmarks and fuzz targets are free.
//
// Callers can rely on: CheckInclude judges one include line on its own; ScanTree reads every
// .h and .cpp under framework/, game/ and platform/ of a tree and answers every include that
// breaks the table and is not one of the listed exceptions.

#include <string>
#include <string_view>
#include <vector>

namespace Vuro::LayerCheck {

// One include that breaks the layering.
struct Violation {
    std::string file;    // path of the including file, relative to the tree's root, with '/'
    int line = 0;        // 1-based
    std::string include; // the included name as written
    std::string reason;  // why it is not allowed
};

// A known break of the layering, listed with its reason until the code does without it.
struct Exception {
    std::string_view file;    // the including file, relative to the tree's root
    std::string_view include; // the included name as written
    std::string_view why;     // what it asks for, and what is to take its place
};

// The list of known breaks (LayerExceptions.cpp).
const std::vector<Exception>& KnownExceptions();

// The reason an include of `include` (written in quotes, or in angle brackets when `angle`) from
// the file `file` (relative to the root) breaks the table, or an empty text when it is allowed.
// Exceptions are not consulted here.
std::string CheckInclude(std::string_view file, std::string_view include, bool angle);

// Every breaking include under root that is not a known exception. Files that no longer break
// in the way an exception names are added to `unusedExceptions` when it is not null.
std::vector<Violation> ScanTree(const std::string& root,
                                std::vector<Exception>* unusedExceptions = nullptr);

} // namespace Vuro::LayerCheck
