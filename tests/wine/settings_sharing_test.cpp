// The settings file while another process holds it open: Windows sharing
// modes, which only a real Windows API shows.
#include <gtest/gtest.h>

#include "scratch.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "settings/sjis.h"
#include "startup/win32_api.h"
#include "tools/driver/win_driver.h"

struct SharingCase {
    const char* name;
    DWORD access;
    DWORD share;
    int load;  // load_settings_from while the file is held
    int save;  // save_settings_to while the file is held
};

// Another program holds the file open while the tool loads and saves.  A
// load that fails leaves the file alone; a save that fails leaves it as it
// was; once the holder lets go, a save works again.
TEST(SettingsSharing, FileHeldByAnotherProgram)
{
    const SharingCase cases[] = {
        // Write access with write-only sharing: unreadable, and not cut.
        {"write, shared for writing", GENERIC_WRITE, FILE_SHARE_WRITE, -1, -1},
        {"read, shared for reading", GENERIC_READ, FILE_SHARE_READ, 0, -1},
        {"read and write, shared for both", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, 0},
        {"read, shared for both", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, 0},
        {"read, not shared", GENERIC_READ, 0, -1, -1},
    };
    const std::vector<unsigned char> original = entries_to_bytes(std::vector<long long>(SETTINGS_COUNT, 3));
    // What a save while held writes: the loaded record with entry 0 set to 9
    // and entry 1 at 1, as every load makes it.
    std::vector<long long> saved_entries(SETTINGS_COUNT, 3);
    saved_entries[0] = 9;
    saved_entries[1] = 1;
    const std::vector<unsigned char> saved = entries_to_bytes(saved_entries);
    for (const SharingCase& test : cases) {
        SCOPED_TRACE(test.name);
        ScratchFolder scratch;
        const std::string path = scratch.file("nkcfg.dat");
        write_bytes(path, original);
        reset_settings();
        {
            HeldFile holder(path, test.access, test.share);
            ASSERT_TRUE(holder.held());
            EXPECT_EQ(load_settings_from(path.c_str()), test.load);
            if (test.load == 0) {
                EXPECT_EQ(settings_value(0), 3);
            }
            set_settings_value(0, 9);
            EXPECT_EQ(save_settings_to(path.c_str()), test.save);
        }
        EXPECT_EQ(read_bytes(path), test.save == 0 ? saved : original);
        EXPECT_EQ(save_settings_to(path.c_str()), 0) << "after the holder let go";
    }
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
