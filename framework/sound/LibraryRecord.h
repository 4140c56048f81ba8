#pragma once
// What the entry-point records of the music libraries (bass.dll, fmod.dll) share: the box that
// ends the program when a library or an entry point is missing, the lookup of an entry point by
// name, and the one record of each library that its users share through a count.

#include "platform/Library.h"

#include <atomic>
#include <string>

namespace Vuro {

// Shows `text` in a box captioned "Error" with the stop icon and ends the program with code 1:
// without its sound library the program cannot run, and a caller must not read that as success.
[[noreturn]] void EndWithLibraryBox(const std::string& text);

template <typename Fn> Fn LookupEntry(const Platform::LibraryModule* module, const char* name) {
    return reinterpret_cast<Fn>(Platform::GetProcAddress(module, name));
}

// Takes a share of the library's record, making it on first use; a record whose library could
// not be loaded (a null mModule) ends the program with the box `missingText`.
template <typename Record>
Record* TakeLibraryShare(Record*& record, std::atomic<int>& count, const char* libraryName,
                         const char* missingText) {
    ++count;
    if (record == nullptr) {
        record = new Record(libraryName);
        if (record->mModule == nullptr) {
            EndWithLibraryBox(missingText);
        }
    }
    return record;
}

// Gives a share back; the last one deletes the record.
template <typename Record> void GiveLibraryShareBack(Record*& record, std::atomic<int>& count) {
    if (record != nullptr && --count < 1) {
        delete record;
        record = nullptr;
    }
}

} // namespace Vuro
