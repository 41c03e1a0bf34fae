// A scratch folder for tests that work on real files, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class ScratchFolder {
public:
    ScratchFolder()
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("nkcfg-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::error_code ignored; std::filesystem::remove_all(path_, ignored); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const char* name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::vector<unsigned char> read_bytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
    }
    return bytes;
}

inline void write_bytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    const std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    ASSERT_EQ(written, bytes.size()) << path;
}

// 32 entries as the file's little-endian bytes.
inline std::vector<unsigned char> entries_to_bytes(const std::vector<long long>& entries)
{
    std::vector<unsigned char> bytes;
    for (long long entry : entries) {
        const unsigned long long value = static_cast<unsigned long long>(entry);
        for (int b = 0; b < 4; b++)
            bytes.push_back(static_cast<unsigned char>(value >> (8 * b)));
    }
    return bytes;
}

inline const std::vector<long long>& default_entries()
{
    static const std::vector<long long> defaults = {
        1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0,
        2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    };
    return defaults;
}
