#pragma once
// The settings store, in the manner of a system registry: typed values under keys. A
// key is addressed by an application key ("Kelmontrave\Quandrellis") and a subkey inside it
// ("Test3D", or "" for the application key itself); "\" separates the parts of either. Key and
// value names match without regard to ASCII case, as the registry's do.
//
// - Values carry a type number (kRegSz, kRegBinary, kRegDword or any other) and raw bytes; the
//   store keeps them exactly as given.
// - A key exists once CreateKey made it (which makes the keys above it) or a stored file holds
//   it. SetValue needs an existing key.
// - QueryValue copies the value into the caller's buffer. When the buffer is too small it
//   answers MoreData with the size needed in `length` and copies nothing.
// - The file store keeps one text file per application key under $XDG_CONFIG_HOME (default
//   ~/.config): the key's parts become folders and the last part the file name, with ".reg".
//   Every change rewrites the whole file through a temporary file and a rename, so a crash
//   leaves the old or the new file. A damaged file never fails: what cannot be understood in it
//   reads as absent (see RegistryDocument.h for the format), and the first change keeps the
//   file aside (KeepFileAside) before writing the new one. So does the first CreateKey over a
//   file that cannot be read at all; the other changes leave such a file alone and fail.
// - A file larger than 16 MiB cannot be read; a change that would make the file larger fails
//   and leaves the file as it was.
// - Tests install a store of their own (tests/support/MemoryRegistry.h).
// Main thread use; the file store takes no locks.

#include <cstdint>
#include <string>
#include <utility>

namespace Vuro::Platform {

// Value types, numbered as the registry numbers them (demo files store the numbers).
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

enum class RegResult {
    Ok,
    NoKey,    // the key does not exist
    NoValue,  // the key exists, the value does not
    MoreData, // the caller's buffer is too small; `length` holds the size needed
    Failed,   // the store could not be read
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(const std::string& appKey, const std::string& subKey) = 0;
    // Makes the key and every key above it; true when it exists afterwards.
    virtual bool CreateKey(const std::string& appKey, const std::string& subKey) = 0;
    // Stores (or replaces) a value in an existing key; false when the key does not exist or the
    // value could not be stored.
    virtual bool SetValue(const std::string& appKey, const std::string& subKey,
                          const std::string& name, uint32_t type, const uint8_t* data,
                          uint32_t length) = 0;
    // On entry `length` is the buffer's size; on Ok it is the value's size and `type` its type.
    virtual RegResult QueryValue(const std::string& appKey, const std::string& subKey,
                                 const std::string& name, uint32_t& type, uint8_t* data,
                                 uint32_t& length) = 0;
    // False when the key or the value does not exist or the change could not be stored.
    virtual bool DeleteValue(const std::string& appKey, const std::string& subKey,
                             const std::string& name) = 0;
};

// The store of text files under `root`; an empty root means $XDG_CONFIG_HOME, else
// $HOME/.config, read at each call.
class FileRegistry : public Registry {
public:
    explicit FileRegistry(std::string root = std::string()) : mRoot(std::move(root)) {}

    bool KeyExists(const std::string& appKey, const std::string& subKey) override;
    bool CreateKey(const std::string& appKey, const std::string& subKey) override;
    bool SetValue(const std::string& appKey, const std::string& subKey, const std::string& name,
                  uint32_t type, const uint8_t* data, uint32_t length) override;
    RegResult QueryValue(const std::string& appKey, const std::string& subKey,
                         const std::string& name, uint32_t& type, uint8_t* data,
                         uint32_t& length) override;
    bool DeleteValue(const std::string& appKey, const std::string& subKey,
                     const std::string& name) override;

    // The file that holds an application key; empty when the key cannot name a file (empty,
    // or a part "." or "..").
    std::string FileOf(const std::string& appKey) const;

private:
    std::string mRoot;
};

// The store in use: a FileRegistry unless a test installed another.
Registry& GetRegistry();
// Installs a store for the whole process; null goes back to the file store. The caller keeps
// ownership and keeps it alive while installed.
void SetRegistry(Registry* registry);

} // namespace Vuro::Platform
