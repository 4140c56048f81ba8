// The table of libraries loaded by name: unknown modules and entry points answer null, names
// of modules ignore case, and a test's stand-in shadows a built-in module until removed.

#include "platform/Library.h"
#include "platform/BassLibrary.h"
#include "platform/FmodLibrary.h"

#include <gtest/gtest.h>

namespace Vuro::Platform {
namespace {

int Answer42() {
    return 42;
}

TEST(Library, UnknownModulesAndEntryPointsAnswerNull) {
    EXPECT_EQ(LoadLibrary("nosuch.dll"), nullptr);
    EXPECT_EQ(LoadLibrary(""), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "BASS_Init"), nullptr);
    const LibraryModule* bass = LoadLibrary("bass.dll");
    ASSERT_NE(bass, nullptr);
    EXPECT_EQ(GetProcAddress(bass, "BASS_NoSuchCall"), nullptr);
    EXPECT_EQ(GetProcAddress(bass, "bass_init"), nullptr); // entry points keep their case
    // The older form's volume call and the channel-position entry are not offered.
    EXPECT_EQ(GetProcAddress(bass, "BASS_SetGlobalVolumes"), nullptr);
    FreeLibrary(bass);
}

TEST(Library, ModuleNamesIgnoreCase) {
    EXPECT_EQ(LoadLibrary("BASS.DLL"), &BassModule());
    EXPECT_EQ(LoadLibrary("Bass.dll"), FindBuiltInLibrary("bass.dll"));
}

TEST(Library, BassOffersTheNewerFormsEntryPoints) {
    const LibraryModule* bass = LoadLibrary("bass.dll");
    for (const char* name :
         {"BASS_Init", "BASS_Free", "BASS_Stop", "BASS_Start", "BASS_SetVolume", "BASS_SetConfig",
          "BASS_MusicSetAmplify", "BASS_ChannelStop", "BASS_ChannelPause", "BASS_ChannelResume",
          "BASS_ChannelSetAttributes", "BASS_ChannelIsActive", "BASS_MusicLoad", "BASS_MusicPlay",
          "BASS_MusicPlayEx", "BASS_MusicFree", "BASS_StreamCreateFile", "BASS_StreamFree",
          "BASS_StreamPlay"}) {
        EXPECT_NE(GetProcAddress(bass, name), nullptr) << name;
    }
}

TEST(Library, FmodOffersEveryEntryPointByItsDecoratedName) {
    const LibraryModule* fmod = LoadLibrary("FMOD.DLL");
    ASSERT_EQ(fmod, &FmodModule());
    EXPECT_EQ(fmod->exports.size(), 30u);
    for (const char* name : {"_FSOUND_Init@12", "_FSOUND_Sample_Lock@28", "_FMUSIC_IsPlaying@4"}) {
        EXPECT_NE(GetProcAddress(fmod, name), nullptr) << name;
    }
    EXPECT_EQ(GetProcAddress(fmod, "FSOUND_Init"), nullptr);
}

TEST(Library, AnInstalledModuleShadowsTheBuiltInOneUntilRemoved) {
    const LibraryModule standIn{"bass.dll", {{"Answer", reinterpret_cast<ProcAddress>(&Answer42)}}};
    InstallLibrary("Bass.DLL", &standIn);
    EXPECT_EQ(LoadLibrary("bass.dll"), &standIn);
    EXPECT_EQ(FindBuiltInLibrary("bass.dll"), &BassModule());
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(LoadLibrary("bass.dll"), "Answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(LoadLibrary("bass.dll"), "BASS_Init"), nullptr);

    InstallLibrary("bass.dll", nullptr);
    EXPECT_EQ(LoadLibrary("bass.dll"), &BassModule());
    // A stand-in under a new name makes that name loadable.
    InstallLibrary("other.dll", &standIn);
    EXPECT_EQ(LoadLibrary("other.dll"), &standIn);
    InstallLibrary("other.dll", nullptr);
    EXPECT_EQ(LoadLibrary("other.dll"), nullptr);
}

TEST(Library, AHiddenModuleIsMissingUntilRemoved) {
    HideLibrary("BASS.dll");
    EXPECT_EQ(LoadLibrary("bass.dll"), nullptr);
    EXPECT_EQ(FindBuiltInLibrary("bass.dll"), &BassModule());
    InstallLibrary("bass.dll", nullptr);
    EXPECT_EQ(LoadLibrary("bass.dll"), &BassModule());
}

} // namespace
} // namespace Vuro::Platform
