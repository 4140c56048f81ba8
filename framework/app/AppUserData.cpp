// The folder of the user's files (the game's player records and score tables): where it lives,
// and the copy a demo's playback works on.

#include "framework/app/VuroAppBase.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/UserFolders.h"

namespace Vuro {

void VuroAppBase::SetUpUserDataFolder() {
    if (mUserDataFolder.empty()) {
        return;
    }
    const std::string beside = Platform::GetWorkingDirectory() + "/" + mUserDataFolder;
    std::string folder = Platform::UserDataFolder(mRegKey);
    if (folder.empty()) {
        folder = beside;
    } else {
        (void)Platform::AdoptFolder(beside, folder);
    }
    (void)Platform::RenameCodePageNames(folder);
    (void)Platform::MakeFolders(folder);
    if (mPlayingDemoBuffer) {
        folder = Platform::CopyFolderForPlayback(folder, folder.substr(folder.rfind('/') + 1));
        if (folder.empty()) {
            Popup("The player's files could not be copied for the demo's playback.");
            DoExit(1);
        }
        Platform::DebugOutput("Demo playback works on a copy of the player's files: " + folder +
                              "\n");
    }
    Platform::MapFolder(mUserDataFolder, folder);
}

} // namespace Vuro
