#include "framework/debug/AllocationTable.h"

#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Process.h"

#include <atomic>
#include <cstdio>

namespace Vuro {

bool gReportMemoryLeaks = false;

namespace {

// Constant-initialised, so it is valid before any static constructor runs.
constinit std::atomic<AllocationTable*> sProcessTable{nullptr};

// Built with the other statics; registers itself in its constructor.
struct ProcessTableHolder {
    ProcessTableHolder() { sProcessTable.store(&mTable); }
    ~ProcessTableHolder() { sProcessTable.store(nullptr); }
    AllocationTable mTable;
};

ProcessTableHolder sProcessTableHolder;

// Both the file and the debug output get every line of the report.
void Emit(FILE* file, const std::string& text) {
    std::fputs(text.c_str(), file);
    Platform::DebugOutput(text);
}

} // namespace

AllocationTable::AllocationTable() : mAlive(true) {}

AllocationTable::~AllocationTable() {
    if (gReportMemoryLeaks) {
        WriteLeakReport();
    }
    ScopedLock lock(mLock);
    mAlive = false;
    mRecords.clear();
}

AllocationTable* AllocationTable::Process() {
    return sProcessTable.load();
}

void AllocationTable::AddTrack(const void* address, uint32_t size, const char* file, int line) {
    ScopedLock lock(mLock);
    if (!mAlive) {
        return;
    }
    mRecords[reinterpret_cast<uintptr_t>(address)] =
        Record{size, file != nullptr ? file : "", line};
}

void AllocationTable::RemoveTrack(const void* address) {
    ScopedLock lock(mLock);
    if (mAlive) {
        mRecords.erase(reinterpret_cast<uintptr_t>(address));
    }
}

void AllocationTable::WriteLeakReport() {
    ScopedLock lock(mLock);
    if (!mAlive) {
        return;
    }
    FILE* file = Platform::OpenFile("mem_leaks.txt", "wt");
    if (file == nullptr) {
        return;
    }
    const std::string header =
        StrFormat("Memory Leak Report for %s\n", Platform::LocalDateTime().c_str());
    std::fputs(header.c_str(), file);
    Platform::DebugOutput("\n" + header);

    // Summed wide: many large leaks must not wrap the total.
    uint64_t total = 0;
    for (const auto& [address, record] : mRecords) {
        Emit(file, StrFormat("%s(%d) : Leak %u byte%s\n", record.mFile.c_str(), record.mLine,
                             record.mSize, record.mSize > 1 ? "s" : ""));
        total += record.mSize;
    }
    Emit(file, std::string(59, '-') + "\n");
    Emit(file, StrFormat("Total Unfreed: %llu bytes\n\n", static_cast<unsigned long long>(total)));
    std::fclose(file);
}

} // namespace Vuro
