#pragma once
// The keys and values of one application key, and the text form they are stored in.
//
// Text form (UTF-8; one item per line; blank lines and lines starting with ";" are ignored):
//
//     ; HKEY_LOCAL_MACHINE\SOFTWARE\Kelmontrave\Quandrellis
//     "MusicVolume"=dword:00000055
//     "Title"="Сад"
//
//     ["Test3D"]
//     "RuntimeError"="Device lost\r\n"
//     "Blob"=hex:00,01,ff
//     "Other"=hex(7):41,00
//
// - Values before the first section belong to the application key itself; ["a\b"] starts the
//   values of subkey a\b (a section makes its key exist even when it holds no value).
// - Names and strings are quoted. Inside quotes: \\ and \" stand for themselves, \r \n \t for
//   those control characters, \xHH for any byte; other bytes are code page 1251 text written
//   as UTF-8 (a byte the code page has no character for is written as \xHH).
// - dword: exactly 4 bytes of type kRegDword, 1 to 8 hex digits; "..." a kRegSz value (its
//   bytes, no terminator added); hex: a kRegBinary value; hex(N): a value of type N (hex).
// - Reading is forgiving: a line that cannot be understood is skipped, a later value of the
//   same name replaces an earlier one. Writing gives every value back exactly.

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vuro::Platform {

struct RegistryValue {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

struct RegistryKey {
    std::string name; // subkey path, "" for the application key itself
    std::vector<RegistryValue> values;
};

class RegistryDocument {
public:
    RegistryDocument() = default;

    // A subkey path in the form the document keeps: parts separated by one "\", no empty part.
    static std::string NormalKey(std::string_view subKey);

    bool HasKey(std::string_view subKey) const;
    // Makes the key and the keys above it.
    void AddKey(std::string_view subKey);
    // Null when the key or the value does not exist.
    const RegistryValue* Find(std::string_view subKey, std::string_view name) const;
    // False when the key does not exist.
    bool Set(std::string_view subKey, std::string_view name, uint32_t type, const uint8_t* data,
             uint32_t length);
    // A value into the caller's buffer, with the results of Registry::QueryValue.
    RegResult Query(std::string_view subKey, std::string_view name, uint32_t& type, uint8_t* data,
                    uint32_t& length) const;
    // False when the key or the value does not exist.
    bool Erase(std::string_view subKey, std::string_view name);

    const std::vector<RegistryKey>& Keys() const { return mKeys; }

    // The text form, headed by a comment line holding `title` when it is not empty.
    std::string ToText(const std::string& title) const;
    // Reads a text form; never fails (see above).
    static RegistryDocument FromText(std::string_view text);
    // The text read held lines that could not be understood: writing the document back loses
    // them.
    bool Damaged() const { return mDamaged; }

private:
    RegistryKey* FindKey(std::string_view subKey);
    const RegistryKey* FindKey(std::string_view subKey) const;

    std::vector<RegistryKey> mKeys{RegistryKey{}}; // the application key is always first
    bool mDamaged = false;
};

} // namespace Vuro::Platform
