#pragma once
// Libraries loaded by name: a table of modules built into the program, each a list of entry
// points by name. A caller loads a module by its file name (compared without regard to case)
// and looks its entry points up by exact name; an unknown module or entry point answers null,
// just as a missing library would. Entry points come back untyped; the caller casts them to
// the signature the module's header gives.

#include <string>
#include <vector>

namespace Vuro::Platform {

using ProcAddress = void (*)();

struct LibraryExport {
    const char* name;
    ProcAddress address;
};

struct LibraryModule {
    std::string name;
    std::vector<LibraryExport> exports;
};

// Null when no module of that name is built in (or installed).
const LibraryModule* LoadLibrary(const std::string& name);
// Null when the module is null or has no entry point of that name.
ProcAddress GetProcAddress(const LibraryModule* module, const std::string& name);
// Built-in modules live as long as the program; this only marks the end of a caller's use.
void FreeLibrary(const LibraryModule* module);

// The module built in under this name, ignoring installed ones; null when there is none.
const LibraryModule* FindBuiltInLibrary(const std::string& name);
// Makes LoadLibrary answer `module` for its name in place of the built-in one (a test's
// stand-in, e.g. a module lacking an entry point); null removes it again. The caller keeps the
// module alive while installed.
void InstallLibrary(const std::string& name, const LibraryModule* module);
// Makes LoadLibrary answer null for the name, as when the library is missing, until
// InstallLibrary(name, null) removes that again.
void HideLibrary(const std::string& name);

} // namespace Vuro::Platform
