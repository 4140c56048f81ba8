#pragma once
// Player files live in data\ under the working folder. This fixture makes a fresh temporary
// folder with an empty data/ the working folder for one test and restores the old one after.

#include "platform/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace Vuro::Test {

class PlayerDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        mOldFolder = Platform::GetWorkingDirectory();
        ASSERT_TRUE(Platform::SetWorkingDirectory(mFolder.Folder()));
        std::filesystem::create_directories("data");
    }
    void TearDown() override { ASSERT_TRUE(Platform::SetWorkingDirectory(mOldFolder)); }

    static void WriteData(const std::string& name, const std::string& bytes) {
        std::ofstream out("data/" + name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string ReadData(const std::string& name) {
        std::ifstream in("data/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static bool DataExists(const std::string& name) {
        return std::filesystem::exists("data/" + name);
    }
    // Little-endian 32-bit value as 4 bytes.
    static std::string Le(uint32_t value) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i) {
            bytes[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
        }
        return bytes;
    }

private:
    TempFolder mFolder{"playerdata"};
    std::string mOldFolder;
};

} // namespace Vuro::Test
