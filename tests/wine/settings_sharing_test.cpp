// The settings file while another process holds it open: Windows sharing
// modes, which only a real Windows API shows.
#include <gtest/gtest.h>

#include "scratch.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "settings/sjis.h"
#include "startup/win32_api.h"

// Opens `path` as another program might: `access` and `share` as given.
static HANDLE hold_open(const std::string& path, DWORD access, DWORD share)
{
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(SettingsSharing, FileHeldWriteOnlySharedIsNeitherReadNorCut)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    std::vector<long long> entries(SETTINGS_COUNT, 5);
    write_bytes(path, entries_to_bytes(entries));

    // Write access with write-only sharing: unreadable, yet writable.
    HANDLE holder = hold_open(path, GENERIC_WRITE, FILE_SHARE_WRITE);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    reset_settings();
    EXPECT_EQ(load_settings_from(path.c_str()), -1);
    CloseHandle(holder);
    EXPECT_EQ(read_bytes(path), entries_to_bytes(entries));
}

TEST(SettingsSharing, FileHeldReadOnlySharedLoadsButDoesNotSave)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    std::vector<long long> entries(SETTINGS_COUNT, 3);
    write_bytes(path, entries_to_bytes(entries));

    HANDLE holder = hold_open(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(load_settings_from(path.c_str()), 0);
    EXPECT_EQ(settings_value(0), 3);
    EXPECT_EQ(save_settings_to(path.c_str()), -1);
    CloseHandle(holder);
    EXPECT_EQ(read_bytes(path), entries_to_bytes(entries));
    EXPECT_EQ(save_settings_to(path.c_str()), 0);
}

TEST(SettingsSharing, OpenBySharingReadersAndWritersStillWorks)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    write_bytes(path, entries_to_bytes(default_entries()));
    HANDLE holder = hold_open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(load_settings_from(path.c_str()), 0);
    EXPECT_EQ(save_settings_to(path.c_str()), 0);
    CloseHandle(holder);
}

// The path built from the program directory's failure value: two
// backslashes and a name, a network name without a share.
TEST(SettingsOnWindows, PathFromAnUnknownProgramDirectoryNeverOpens)
{
    store_program_directory("", sjis_lead_byte);
    ASSERT_STREQ(program_directory(), "\\");
    reset_settings();
    EXPECT_EQ(load_settings(), -1);
    EXPECT_EQ(save_settings(), -1);
}
