// Feeds arbitrary bytes, as a player record, a profile list and a score file, to the readers of
// the stored player data. Whatever each reader takes must write out and read back to the same
// bytes, so a damaged file, once saved again, stays stable.

#include "game/player/PlayerRecord.h"
#include "game/player/ProfileManager.h"
#include "game/player/ScoreTables.h"
#include "platform/MemoryFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

template <typename Reader> bool ReadFrom(const void* data, size_t size, Reader&& read) {
    FILE* file = Vuro::Platform::OpenMemoryFile(data, size);
    if (file == nullptr) {
        std::abort();
    }
    const bool result = read(file);
    std::fclose(file);
    return result;
}

template <typename Writer> std::string WriteOut(Writer&& write) {
    FILE* file = std::tmpfile();
    if (file == nullptr || !write(file)) {
        std::abort();
    }
    std::string bytes(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::abort();
    }
    std::fclose(file);
    return bytes;
}

template <typename Store> void CheckStable(const Store& store) {
    const std::string once = WriteOut([&](FILE* file) { return store.Write(file); });
    Store again;
    if (!ReadFrom(once.data(), once.size(), [&](FILE* file) { return again.Read(file); })) {
        std::abort();
    }
    if (WriteOut([&](FILE* file) { return again.Write(file); }) != once) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::PlayerRecord record;
    if (ReadFrom(data, size, [&](FILE* file) { return record.Read(file); })) {
        CheckStable(record);
    }

    Vuro::ProfileManager profiles;
    if (ReadFrom(data, size, [&](FILE* file) { return profiles.ReadList(file); })) {
        const std::string once = WriteOut([&](FILE* file) { return profiles.WriteList(file); });
        Vuro::ProfileManager again;
        if (!ReadFrom(once.data(), once.size(), [&](FILE* file) { return again.ReadList(file); }) ||
            again.GetCount() != profiles.GetCount()) {
            std::abort();
        }
    }

    Vuro::ScoreTables scores;
    if (ReadFrom(data, size, [&](FILE* file) { return scores.Read(file); })) {
        CheckStable(scores);
    }
    return 0;
}
