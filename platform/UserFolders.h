#pragma once
// Where a user's files of an application live, as Linux keeps them: the settings under
// $XDG_CONFIG_HOME (default ~/.config), the player files under $XDG_DATA_HOME (default
// ~/.local/share), each in folders named by the application key ("Kelmontrave\Quandrellis"
// gives .../Kelmontrave/Quandrellis). A variable that is not an absolute path counts as unset.
//
// Also the two moves of a user's data folder: from beside the program, where an earlier version
// kept it, and into a copy for a demo's playback; and the one rename of the files an earlier
// version named in code page 1251 bytes.
//
// Folders are given and returned as system text (FileSystem.h), whatever bytes the environment
// holds.

#include <string>

namespace Vuro::Platform {

std::string ConfigHome();
std::string DataHome();
// root with the key's parts ("\" or "/" separated) as folders; empty when the key has no part or
// a part "." or "..".
std::string KeyFolder(const std::string& root, const std::string& appKey);
// KeyFolder of DataHome.
std::string UserDataFolder(const std::string& appKey);

// Moves the files an earlier version kept in `from` into `to` (made when missing), once: only
// while `to` holds nothing yet; `from` is removed afterwards. While both hold files, `from` is
// left alone. A line on stderr tells either. True when files were moved.
bool AdoptFolder(const std::string& from, const std::string& to);

// Renames each file in `folder` whose name on disk is no UTF-8 but code page 1251 bytes (an
// earlier version wrote "data\<name>.pf" of a Cyrillic name so) to the UTF-8 name the file
// layer gives that text now, so the game finds it again. Never over an existing name: such a
// file keeps its name, and a line on stderr says so. Names in UTF-8 stay as they are, so the
// rename happens once. Returns the number of files renamed.
int RenameCodePageNames(const std::string& folder);

// A new folder under $TMPDIR (default /tmp), named tag + "-playback-" + this process's id, holding
// a copy of the files of `from`; empty when no folder could be made. The copy stays after the
// run, to be looked at; the copies of processes that have ended are removed here first.
std::string CopyFolderForPlayback(const std::string& from, const std::string& tag);

} // namespace Vuro::Platform
