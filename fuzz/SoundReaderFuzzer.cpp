// Feeds arbitrary bytes to the WAV and AU readers. Besides memory faults (the target's buffer
// is exactly the size asked for), a reader must never ask for more than the input can fill:
// the WAV data as it stands, AU mu-law at two bytes per input byte.

#include "framework/sound/SoundFileReaders.h"
#include "platform/MemoryFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class CheckedTarget : public Vuro::PcmTarget {
public:
    explicit CheckedTarget(size_t limit) : mLimit(limit) {}
    uint8_t* CreateAndLock(const Vuro::Platform::WaveFormat&, uint32_t dataSize) override {
        if (dataSize > mLimit) {
            std::abort();
        }
        mData.assign(dataSize, 0);
        return mData.data();
    }
    bool Unlock() override { return true; }

private:
    size_t mLimit;
    std::vector<uint8_t> mData;
};

bool NoFile(const std::string&, uint64_t& time) {
    time = 0;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckedTarget wav(size);
    (void)Vuro::ReadWAVSound(Vuro::Platform::OpenMemoryFile(data, size), wav, &NoFile);
    CheckedTarget au(size * 2);
    (void)Vuro::ReadAUSound(Vuro::Platform::OpenMemoryFile(data, size), au);
    return 0;
}
