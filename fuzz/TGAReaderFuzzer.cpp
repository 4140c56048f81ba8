// Feeds arbitrary bytes to the TGA reader through its in-memory entry.

#include "ImageFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::ImageLib::CheckDecodedImage(Vuro::ImageLib::GetTGAImageFromMemory(data, size));
    return 0;
}
