// The program directory through the real GetModuleFileNameA on code page
// 932, and the settings path built from it.
#include <gtest/gtest.h>

#include "scratch.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "win_process.h"

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
    const std::string probe = folder + "\\Probe.EXE";
    ASSERT_TRUE(CopyFileA(windows_path(PROBE_PROGRAM_DIR_EXE).c_str(), probe.c_str(), FALSE));

    const std::string report = base + "\\report.txt";
    ASSERT_EQ(run_and_wait("\"" + probe + "\" \"" + report + "\"", base), 0);

    std::string want = base;  // plain ASCII: the scratch folder's own name
    for (char& c : want)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
    want += "\\test\x95\x5C" "dir\\";
    const std::vector<unsigned char> got = read_bytes(report);
    EXPECT_EQ(std::string(got.begin(), got.end()), want);
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
        const std::string probe = folder + "\\p.exe";
        ASSERT_TRUE(CopyFileA(windows_path(PROBE_PROGRAM_DIR_EXE).c_str(), probe.c_str(), FALSE));
        const std::string report = base + "\\report.txt";
        ASSERT_EQ(run_and_wait("\"" + probe + "\" \"" + report + "\"", base), 0);
        const std::vector<unsigned char> got = read_bytes(report);
        const std::string directory(got.begin(), got.end());
        if (test.whole) {
            std::string want = folder + "\\";
            for (char& c : want)
                c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
            EXPECT_EQ(directory, want);
        } else {
            EXPECT_EQ(directory, "\\");
        }
    }
}
