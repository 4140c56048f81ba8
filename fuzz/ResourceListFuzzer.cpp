// Feeds arbitrary bytes to the resource list reader. Nothing is loaded (no files are touched):
// only the reading and the checks on what it accepts run.

#include "framework/debug/ResourceManager.h"
#include "framework/graphics/Image.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::ResourceManager manager(nullptr);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool ok = manager.ParseResourcesBuffer(text, "fuzz.xml");
    // Success and a kept error exclude each other.
    if (ok == manager.HadError()) {
        std::abort();
    }
    // Whatever was accepted describes cels and frames that exist.
    for (const auto& [id, entry] : manager.mImageMap) {
        const auto* image = static_cast<const Vuro::ResourceManager::ImageRes*>(entry);
        if (image->mRows < 1 || image->mCols < 1 || id.empty() || image->mPath.empty()) {
            std::abort();
        }
        if (const Vuro::AnimationInfo* anim = image->mAnimInfo) {
            if (anim->mPerFrameDelay.size() != anim->mFrameMap.size()) {
                std::abort();
            }
            for (uint32_t frame : anim->mFrameMap) {
                if (frame >= static_cast<uint32_t>(anim->mNumCels)) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
