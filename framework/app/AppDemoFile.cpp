// Reading and writing the demo file of the application: the file's fields go to and come from
// the random seed, the marker list, the end tick and the demo buffer.

#include "framework/app/VuroAppBase.h"

#include "framework/util/MersenneTwister.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace Vuro {

namespace {

// The whole file, or false when it is longer than a demo can be.
bool ReadWholeFile(FILE* file, std::vector<uint8_t>& bytes) {
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes.size() + got > DemoFile::kMaxFileBytes) {
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

} // namespace

bool VuroAppBase::ReadDemoFile(std::string& error) {
    FILE* file = Platform::OpenFile(mDemoFileName, "rb");
    if (file == nullptr) {
        // Something that is there but cannot be read as a file (a folder, a device) is no demo.
        error = Platform::FileExists(mDemoFileName) ? std::string(DemoFile::kInvalidMessage)
                                                    : "Demo file not found: " + mDemoFileName;
        return false;
    }
    std::vector<uint8_t> bytes;
    bool whole = ReadWholeFile(file, bytes);
    std::fclose(file);
    if (!whole) {
        error = DemoFile::kInvalidMessage;
        return false;
    }
    DemoFile demo;
    if (!demo.Read(bytes.data(), bytes.size(), mProductVersion, error)) {
        return false;
    }
    mRandSeed = demo.mSeed;
    SRand(mRandSeed);
    TakeFile(demo);
    return true;
}

void VuroAppBase::WriteDemoFile() {
    if (!mRecordingDemoBuffer) {
        return;
    }
    std::vector<uint8_t> bytes = MakeFile(mRandSeed, mProductVersion, mUpdateCount).Write();
    // A demo that cannot be written is skipped silently; one that comes short (a full disk, a
    // kill) leaves the file that was there before.
    (void)Platform::WriteFileReplacing(mDemoFileName, [&bytes](FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}

} // namespace Vuro
