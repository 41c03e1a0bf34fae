// The program directory through the real GetModuleFileNameA on code page
// 932, and the settings path built from it.
#include <gtest/gtest.h>

#include "scratch.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "deep_folder.h"
#include "tools/driver/win_driver.h"

// ASCII letters lowered, as the tool lowers the program directory.
static std::string ascii_lower(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
    return text;
}

// Copies the probe to `exe`, runs it from `base` and returns the program
// directory it reported.
static std::string probe_directory(const std::string& exe, const std::string& base)
{
    EXPECT_TRUE(CopyFileA(windows_path(PROBE_PROGRAM_DIR_EXE).c_str(), exe.c_str(), FALSE)) << exe;
    const std::string report = base + "\\report.txt";
    EXPECT_EQ(run_and_wait(exe, "\"" + report + "\"", base), 0);
    const std::vector<unsigned char> got = read_bytes(report);
    return std::string(got.begin(), got.end());
}

TEST(ProgramDirectoryOnWindows, RunsOnCodePage932)
{
    EXPECT_EQ(GetACP(), 932u);
}

// A folder whose name holds 表 (0x95 0x5C) and upper-case letters: the
// copied probe finds it, lower-cased, with one trailing backslash.
TEST(ProgramDirectoryOnWindows, ProbeInAShiftJisFolderFindsItsDirectory)
{
    ScratchFolder scratch;
    const std::string base = windows_path(scratch.path().string().c_str());
    const std::string folder = base + "\\TEST\x95\x5C" "DIR";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
    // The scratch folder's own name is plain ASCII.
    const std::string want = ascii_lower(base) + "\\test\x95\x5C" "dir\\";
    EXPECT_EQ(probe_directory(folder + "\\Probe.EXE", base), want);
}

TEST(ProgramDirectoryOnWindows, SettingsPathHasTwoBackslashesBeforeTheName)
{
    resolve_program_directory();
    char path[PATH_BUFFER_SIZE];
    ASSERT_EQ(settings_file_path(path, sizeof path), 0);
    const std::string got = path;
    EXPECT_EQ(got, std::string(program_directory()) + "\\nkcfg.dat");
    EXPECT_EQ(got.substr(got.size() - 11), "\\\\nkcfg.dat");
}

// A directory that would leave no room for the settings file's name gives
// the failure value rather than a cut-down name of some other folder.
TEST(ProgramDirectoryOnWindows, ProbeInADeepFolderKeepsItWholeOrNotAtAll)
{
    struct DepthCase {
        std::size_t dir_length;  // with its trailing backslash
        bool whole;
    };
    const DepthCase cases[] = {{PROGRAM_DIRECTORY_MAX, true}, {PROGRAM_DIRECTORY_MAX + 1, false},
                               {PROGRAM_DIRECTORY_MAX + 4, false}};
    for (const DepthCase& test : cases) {
        SCOPED_TRACE(test.dir_length);
        ScratchFolder scratch;
        const std::string base = windows_path(scratch.path().string().c_str());
        const std::string folder = make_deep_folder(base, test.dir_length);
        ASSERT_FALSE(folder.empty());
        // A short name keeps the probe's own path within MAX_PATH.
        const std::string directory = probe_directory(folder + "\\p.exe", base);
        EXPECT_EQ(directory, test.whole ? ascii_lower(folder + "\\") : std::string("\\"));
    }
}
