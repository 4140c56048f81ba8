#pragma once
// A settings store held in memory, with failures a test can switch on. Installs itself as the
// process's store for its lifetime.
//
// - mFailCreate: CreateKey fails (as a key that cannot be opened or made).
// - mFailSet: SetValue fails after the key was found (as a refused write).
// - mWriteLog lists the names of the SetValue calls in order ("Test3D\\RuntimeError" for a
//   subkey's value); mQueries counts the QueryValue calls.

#include "platform/Registry.h"
#include "platform/RegistryDocument.h"

#include <map>
#include <string>
#include <vector>

namespace Vuro::Test {

class MemoryRegistry : public Platform::Registry {
public:
    MemoryRegistry() { Platform::SetRegistry(this); }
    ~MemoryRegistry() override { Platform::SetRegistry(nullptr); }
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    bool KeyExists(const std::string& appKey, const std::string& subKey) override {
        auto it = mKeys.find(Lower(appKey));
        return it != mKeys.end() && it->second.HasKey(subKey);
    }
    bool CreateKey(const std::string& appKey, const std::string& subKey) override {
        if (mFailCreate) {
            return false;
        }
        mKeys[Lower(appKey)].AddKey(subKey);
        return true;
    }
    bool SetValue(const std::string& appKey, const std::string& subKey, const std::string& name,
                  uint32_t type, const uint8_t* data, uint32_t length) override {
        mWriteLog.push_back(subKey.empty() ? name : subKey + "\\" + name);
        auto it = mKeys.find(Lower(appKey));
        if (it == mKeys.end() || !it->second.HasKey(subKey) || mFailSet) {
            return false;
        }
        return it->second.Set(subKey, name, type, data, length);
    }
    Platform::RegResult QueryValue(const std::string& appKey, const std::string& subKey,
                                   const std::string& name, uint32_t& type, uint8_t* data,
                                   uint32_t& length) override {
        ++mQueries;
        auto it = mKeys.find(Lower(appKey));
        if (it == mKeys.end()) {
            return Platform::RegResult::NoKey;
        }
        return it->second.Query(subKey, name, type, data, length);
    }
    bool DeleteValue(const std::string& appKey, const std::string& subKey,
                     const std::string& name) override {
        auto it = mKeys.find(Lower(appKey));
        return it != mKeys.end() && it->second.Erase(subKey, name);
    }

    // The value as stored, or null.
    const Platform::RegistryValue* Find(const std::string& appKey, const std::string& subKey,
                                        const std::string& name) const {
        auto it = mKeys.find(Lower(appKey));
        return it == mKeys.end() ? nullptr : it->second.Find(subKey, name);
    }
    // Stores a value directly, making its key.
    void Put(const std::string& appKey, const std::string& subKey, const std::string& name,
             uint32_t type, const std::string& bytes) {
        Platform::RegistryDocument& document = mKeys[Lower(appKey)];
        document.AddKey(subKey);
        document.Set(subKey, name, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                     static_cast<uint32_t>(bytes.size()));
    }
    void PutDword(const std::string& appKey, const std::string& name, int32_t value) {
        auto word = static_cast<uint32_t>(value);
        std::string bytes{static_cast<char>(word), static_cast<char>(word >> 8),
                          static_cast<char>(word >> 16), static_cast<char>(word >> 24)};
        Put(appKey, "", name, Platform::kRegDword, bytes);
    }

    bool mFailCreate = false;
    bool mFailSet = false;
    std::vector<std::string> mWriteLog;
    int mQueries = 0;

private:
    static std::string Lower(std::string text) {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return text;
    }

    std::map<std::string, Platform::RegistryDocument> mKeys;
};

} // namespace Vuro::Test
