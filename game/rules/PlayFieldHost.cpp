#include "game/rules/PlayFieldHost.h"

#include "framework/app/VuroAppBase.h"
#include "framework/sound/MusicInterface.h"
#include "game/player/ProfileManager.h"

namespace Vuro {

namespace {
MusicInterface* Music() {
    return gVuroApp != nullptr ? gVuroApp->mMusicInterface : nullptr;
}
} // namespace

void PlayFieldAppHost::PlaySample(int id) {
    if (gVuroApp != nullptr) {
        gVuroApp->PlaySample(id);
    }
}

void PlayFieldAppHost::PlayMusic(int songId) {
    if (MusicInterface* music = Music()) {
        music->PlayMusic(songId, 0, false);
    }
}

void PlayFieldAppHost::StopMusic(int songId) {
    if (MusicInterface* music = Music()) {
        music->StopMusic(songId);
    }
}

bool PlayFieldAppHost::IsMusicPlaying(int songId) {
    MusicInterface* music = Music();
    return music != nullptr && music->IsPlaying(songId);
}

void PlayFieldAppHost::SetCursor(int cursorNum) {
    if (gVuroApp != nullptr) {
        gVuroApp->SetCursor(cursorNum);
    }
}

bool PlayFieldAppHost::IsEasyModePlayer() {
    if (mProfiles == nullptr) {
        return false;
    }
    PlayerRecord record;
    return mProfiles->GetRecord(&record)->easyMode != 0;
}

} // namespace Vuro
