#pragma once
// Path arithmetic and folder helpers. A separator is "\" or "/", in any mix; the file system
// calls go through the platform layer, which maps "\" to "/". None keeps state.

#include <cstdint>
#include <string>

namespace Vuro {

// The part before the last separator, with that separator when withSlash is set; empty when
// the path has none.
std::string GetFileDir(const std::string& path, bool withSlash = false);
// Without its last character when that is a separator.
std::string RemoveTrailingSlash(const std::string& path);
// Appends "\" (backSlash) or "/" unless the path is empty or ends with a separator already.
std::string AddTrailingSlash(const std::string& path, bool backSlash = false);

// Resolves relativePath against baseFolder: a drive letter ("C:") in relativePath returns it
// unchanged; leading ".." and "." components walk the base; a leading separator restarts at the
// root. Only the components up to the first ordinary one are resolved; the rest is appended
// as written. The result uses "\" when either input contains one, else "/".
std::string GetPathFrom(const std::string& relativePath, const std::string& baseFolder);

// Creates every folder along the path (each prefix ending before a separator, then the whole
// path); folders that exist or cannot be made are passed over.
void MkDir(const std::string& path);
// Deletes a folder with everything in it. True only when all of it was removed; the walk goes
// on after a failure. A symbolic link inside the tree is removed itself, never followed.
bool DeleteTree(const std::string& folder);
// Last write of the file the path names, in seconds since 1970-01-01 UTC; 0 when it is missing.
// With wildcards, the match first in name order counts.
uint32_t GetFileDate(const std::string& path);

} // namespace Vuro
