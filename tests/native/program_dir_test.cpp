// Program directory derivation from an executable path, with the fixed
// Shift-JIS table as the path's code page.
#include <gtest/gtest.h>

#include <string>

#include "settings/program_dir.h"
#include "settings/sjis.h"

struct DirectoryCase {
    const char* exe_path;
    const char* want;
    int want_result;
};

TEST(DeriveProgramDirectory, TableOfPaths)
{
    const DirectoryCase cases[] = {
        {"C:\\Games\\Title\\game.exe", "c:\\games\\title\\", 0},
        {"C:\\tool.exe", "c:\\", 0},
        {"\\\\Server\\Share\\Dir\\tool.exe", "\\\\server\\share\\dir\\", 0},
        {"C:/Games/Title/nkcfg.exe", "c:\\games\\title\\", 0},
        {"C:\\Games/Title\\nkcfg.exe", "c:\\games\\title\\", 0},
        {"", "\\", 0},
        {"nkcfg.exe", "\\", 0},
        {"C:nkcfg.exe", "c:\\", 0},
        {"\\nkcfg.exe", "\\\\", 0},                     // a lone backslash gains a second
        {"C:\\a\\\\nkcfg.exe", "c:\\a\\\\", 0},          // two separators stay two
        {"C:\\a/\\nkcfg.exe", "c:\\a\\\\", 0},
        // 表 (0x95 0x5C) last in a folder name: its 0x5C is no separator.
        {"C:\\\x95\x5C\\nkcfg.exe", "c:\\\x95\x5C\\", 0},
        {"C:\\TEST\x95\x5C" "DIR\\nkcfg.exe", "c:\\test\x95\x5C" "dir\\", 0},
        {"C:\\\x95\x5Cnkcfg.exe", "c:\\", 0},
        // Full-width letters (Ａ = 0x82 0x60) keep their case.
        {"D:\\\x82\x60\x82\x79\\X.EXE", "d:\\\x82\x60\x82\x79\\", 0},
        // Half-width katakana are single bytes.
        {"C:\\\xB1\xB2\\a.exe", "c:\\\xB1\xB2\\", 0},
        // A lead byte right before the terminating zero.
        {"C:\\dir\\\x95", "c:\\dir\\", 0},
        {"C:\\dir\x95", "c:\\", 0},
        {"\x95", "\\", 0},
    };
    for (const DirectoryCase& test : cases) {
        char out[PATH_BUFFER_SIZE];
        const int result = derive_program_directory(test.exe_path, sjis_lead_byte, out, sizeof out);
        EXPECT_EQ(result, test.want_result) << "path \"" << test.exe_path << "\"";
        EXPECT_EQ(std::string(out), std::string(test.want)) << "path \"" << test.exe_path << "\"";
    }
}

// A path of `dir_length` bytes of directory (drive, folders, backslash).
static std::string path_with_directory(std::size_t dir_length)
{
    std::string dir = "C:\\";
    while (dir.size() < dir_length - 1)
        dir += (dir.size() % 50 == 0) ? '\\' : 'a';
    dir += '\\';
    return dir + "nkcfg.exe";
}

TEST(DeriveProgramDirectory, LongDirectoriesAreKeptWholeOrNotAtAll)
{
    struct LengthCase {
        std::size_t dir_length;
        int want_result;
    };
    const LengthCase cases[] = {
        {PROGRAM_DIRECTORY_MAX - 1, 0},
        {PROGRAM_DIRECTORY_MAX, 0},      // the settings path just fits
        {PROGRAM_DIRECTORY_MAX + 1, -1}, // it would not fit: no shortened name
        {DIRECTORY_PART_MAX + 2, -1},    // more than the directory part allows
        {258, -1},
    };
    for (const LengthCase& test : cases) {
        const std::string path = path_with_directory(test.dir_length);
        char out[PATH_BUFFER_SIZE];
        const int result = derive_program_directory(path.c_str(), sjis_lead_byte, out, sizeof out);
        EXPECT_EQ(result, test.want_result) << "directory of " << test.dir_length << " bytes";
        if (test.want_result == 0) {
            EXPECT_EQ(std::string(out).size(), test.dir_length);
            EXPECT_EQ(out[test.dir_length - 1], '\\');
        } else {
            EXPECT_EQ(std::string(out), "\\") << "directory of " << test.dir_length << " bytes";
        }
    }
}

TEST(DeriveProgramDirectory, NeverWritesPastASmallBuffer)
{
    char out[8];
    EXPECT_EQ(derive_program_directory("C:\\Games\\Title\\game.exe", sjis_lead_byte, out, sizeof out), -1);
    EXPECT_EQ(std::string(out), "\\");
    EXPECT_EQ(derive_program_directory("C:\\a\\b.exe", sjis_lead_byte, out, sizeof out), 0);
    EXPECT_EQ(std::string(out), "c:\\a\\");
}

TEST(DeriveProgramDirectory, DirectoryPartFollowsTheGivenCodePage)
{
    // In a single-byte code page 0x95 is a character of its own, so the
    // 0x5C after it is a separator.  The helpers still read Shift-JIS, see
    // no trailing backslash and add one: two backslashes name the same folder.
    unsigned char single_byte[256] = {};
    char out[PATH_BUFFER_SIZE];
    derive_program_directory("C:\\a\x95\\b.exe", single_byte, out, sizeof out);
    EXPECT_EQ(std::string(out), "c:\\a\x95\\\\");
    derive_program_directory("C:\\a\x95\\b.exe", sjis_lead_byte, out, sizeof out);
    EXPECT_EQ(std::string(out), "c:\\");
}

TEST(StoreProgramDirectory, KeepsTheDerivedDirectory)
{
    store_program_directory("C:\\Games\\Title\\nkcfg.exe", sjis_lead_byte);
    EXPECT_EQ(std::string(program_directory()), "c:\\games\\title\\");
    store_program_directory(path_with_directory(PROGRAM_DIRECTORY_MAX + 1).c_str(), sjis_lead_byte);
    EXPECT_EQ(std::string(program_directory()), "\\");
}
