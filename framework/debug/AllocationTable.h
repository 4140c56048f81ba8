#pragma once
// A table of live heap blocks, each with the source file and line that allocated it, and the
// leak report that lists what is still in it.
//
// - Blocks enter and leave through explicit calls (AddTrack when made, RemoveTrack when
//   freed); nothing replaces the global operator new or hooks the heap, so the table never
//   competes with the sanitizers' allocator. Nothing in the system records blocks yet.
// - The process-wide table (Process()) is made during static initialisation and destroyed at
//   exit; its destructor writes the report when gReportMemoryLeaks is on. Process() is null
//   before it is made and after it is gone, so late callers record nothing instead of touching
//   a dead map.
// - Every operation takes the table's lock: blocks may come and go on any thread.

#include "framework/util/LockSection.h"

#include <cstdint>
#include <map>
#include <string>

namespace Vuro {

// Off unless a product turns it on; read by the destructor of every table.
extern bool gReportMemoryLeaks;

class AllocationTable {
public:
    AllocationTable();
    ~AllocationTable();
    AllocationTable(const AllocationTable&) = delete;
    AllocationTable& operator=(const AllocationTable&) = delete;

    // The table of the whole process; null outside its lifetime.
    static AllocationTable* Process();

    // Enters (or replaces) the record of the block at address.
    void AddTrack(const void* address, uint32_t size, const char* file, int line);
    // Drops the block's record; an address never entered is ignored.
    void RemoveTrack(const void* address);

    // Writes "mem_leaks.txt" in the current folder and the same lines to the debug output;
    // nothing when the file cannot be made.
    void WriteLeakReport();

private:
    struct Record {
        uint32_t mSize; // bytes
        std::string mFile;
        int mLine;
    };

    // Full pointer width: a 32-bit key would fold distinct 64-bit blocks into one record.
    std::map<uintptr_t, Record> mRecords;
    LockSection mLock;
    bool mAlive;
};

} // namespace Vuro
