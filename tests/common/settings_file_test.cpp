// The settings record and file on real files.  Built natively (glibc) and
// for Windows, where it runs under Wine on the real msvcrt.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "scratch.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "settings/sjis.h"

static std::vector<long long> record_entries()
{
    std::vector<long long> entries;
    for (int i = 0; i < SETTINGS_COUNT; i++)
        entries.push_back(settings_value(i));
    return entries;
}

// The record as it is when the process starts: all zero.
static void zero_record()
{
    for (int i = 0; i < SETTINGS_COUNT; i++)
        set_settings_value(i, 0);
}

// Distinct values everywhere, out-of-range ones and the engine's entries
// among them; entry 1 is 1 as every load makes it.
static std::vector<long long> engine_entries()
{
    std::vector<long long> entries;
    for (int i = 0; i < SETTINGS_COUNT; i++)
        entries.push_back(1000 + i * 7);
    entries[1] = 1;
    entries[6] = -1;
    entries[8] = 7;
    entries[11] = INT32_MIN;
    entries[21] = INT32_MAX;
    entries[31] = -123456789;
    return entries;
}

TEST(SettingsRecord, ResetGivesTheDefaults)
{
    zero_record();
    reset_settings();
    EXPECT_EQ(record_entries(), default_entries());
}

TEST(SettingsRecord, IndexOutsideTheRecordIsIgnored)
{
    reset_settings();
    set_settings_value(-1, 99);
    set_settings_value(SETTINGS_COUNT, 99);
    EXPECT_EQ(settings_value(-1), 0);
    EXPECT_EQ(settings_value(SETTINGS_COUNT), 0);
    EXPECT_EQ(record_entries(), default_entries());
}

TEST(SettingsFile, ByteLayoutIsLittleEndianTwosComplement)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    zero_record();
    set_settings_value(0, 0x01020304);
    set_settings_value(1, -1);
    set_settings_value(2, INT32_MIN);
    set_settings_value(31, 0x7F00FF80);
    ASSERT_EQ(save_settings_to(path.c_str()), 0);

    std::vector<unsigned char> want(SETTINGS_FILE_BYTES, 0);
    const unsigned char head[] = {0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
    std::copy(head, head + sizeof head, want.begin());
    const unsigned char tail[] = {0x80, 0xFF, 0x00, 0x7F};
    std::copy(tail, tail + sizeof tail, want.end() - 4);
    EXPECT_EQ(read_bytes(path), want);
}

TEST(SettingsFile, MissingFileIsCreatedWithTheDefaults)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    zero_record();
    ASSERT_EQ(load_settings_from(path.c_str()), 0);
    EXPECT_EQ(record_entries(), default_entries());
    EXPECT_EQ(read_bytes(path), entries_to_bytes(default_entries()));
}

TEST(SettingsFile, LoadForcesEntryOneAndLeavesTheFileAlone)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    std::vector<long long> entries = engine_entries();
    entries[1] = 0;
    write_bytes(path, entries_to_bytes(entries));

    ASSERT_EQ(load_settings_from(path.c_str()), 0);
    EXPECT_EQ(settings_value(1), 1);
    entries[1] = 1;
    EXPECT_EQ(record_entries(), entries);
    entries[1] = 0;
    EXPECT_EQ(read_bytes(path), entries_to_bytes(entries));
}

// Files of every length around the record's: the record takes the file's
// bytes as far as they go and keeps what it held for the rest (all zero at
// process start: a 40-byte file gives zeros, not defaults, after entry 9);
// entry 1 becomes 1; the load leaves the file alone; a save writes exactly
// the 128 bytes of the record, cutting a longer file.
TEST(SettingsFile, ShortAndLongFiles)
{
    struct LengthCase {
        std::size_t file_bytes;
        bool record_zero_before;  // as at process start, or holding the defaults
    };
    const LengthCase cases[] = {
        {0, true}, {40, true}, {41, true}, {127, true}, {128, true}, {129, true}, {200, true}, {1000, true},
        {0, false}, {40, false},
    };
    for (const LengthCase& test : cases) {
        SCOPED_TRACE(::testing::Message() << test.file_bytes << " bytes, record "
                                          << (test.record_zero_before ? "zero" : "defaults"));
        ScratchFolder scratch;
        const std::string path = scratch.file("nkcfg.dat");
        std::vector<unsigned char> file(test.file_bytes);
        for (std::size_t i = 0; i < file.size(); i++)
            file[i] = static_cast<unsigned char>(0xA0 + i);
        write_bytes(path, file);

        std::vector<unsigned char> want = test.record_zero_before ? std::vector<unsigned char>(SETTINGS_FILE_BYTES, 0)
                                                                  : entries_to_bytes(default_entries());
        std::copy(file.begin(), file.begin() + std::min<std::size_t>(file.size(), SETTINGS_FILE_BYTES), want.begin());
        const unsigned char entry_one[] = {1, 0, 0, 0};
        std::copy(entry_one, entry_one + 4, want.begin() + 4);

        if (test.record_zero_before)
            zero_record();
        else
            reset_settings();
        ASSERT_EQ(load_settings_from(path.c_str()), 0);
        EXPECT_EQ(entries_to_bytes(record_entries()), want);
        EXPECT_EQ(read_bytes(path), file) << "the load changed the file";

        ASSERT_EQ(save_settings_to(path.c_str()), 0);
        EXPECT_EQ(read_bytes(path), want) << "after a save";
    }
}

TEST(SettingsFile, EngineEntriesAndOutOfRangeValuesSurviveLoadAndSave)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    const std::vector<unsigned char> original = entries_to_bytes(engine_entries());
    write_bytes(path, original);
    zero_record();
    ASSERT_EQ(load_settings_from(path.c_str()), 0);
    ASSERT_EQ(save_settings_to(path.c_str()), 0);
    EXPECT_EQ(read_bytes(path), original);
}

TEST(SettingsFile, ExistingUnreadableFileIsNotOverwritten)
{
    // A folder where the file should be: it exists, and no read gets data.
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    std::filesystem::create_directory(path);
    std::filesystem::create_directory(scratch.path() / "nkcfg.dat" / "inside");
    reset_settings();
    EXPECT_EQ(load_settings_from(path.c_str()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() / "nkcfg.dat" / "inside"));
}

TEST(SettingsFile, FileThatCannotBeCreatedFailsTheLoad)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("missing-folder/nkcfg.dat");
    EXPECT_EQ(load_settings_from(path.c_str()), -1);
    EXPECT_EQ(save_settings_to(path.c_str()), -1);
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "missing-folder"));
}

TEST(SettingsFilePath, ProgramDirectoryThenABackslashThenTheName)
{
    store_program_directory("C:\\Games\\Title\\nkcfg.exe", sjis_lead_byte);
    char path[PATH_BUFFER_SIZE];
    ASSERT_EQ(settings_file_path(path, sizeof path), 0);
    EXPECT_EQ(std::string(path), "c:\\games\\title\\\\nkcfg.dat");

    char small[20];
    EXPECT_EQ(settings_file_path(small, sizeof small), -1);
    EXPECT_EQ(std::string(small), "");
    char exact[sizeof "c:\\games\\title\\\\nkcfg.dat"];
    EXPECT_EQ(settings_file_path(exact, sizeof exact), 0);
    EXPECT_EQ(settings_file_path(exact, sizeof exact - 1), -1);

    // The failure value gives a name Windows never opens.
    store_program_directory("", sjis_lead_byte);
    ASSERT_EQ(settings_file_path(path, sizeof path), 0);
    EXPECT_EQ(std::string(path), "\\\\nkcfg.dat");
}

// The path the player reads in a message: one backslash before the name,
// or, when the folder could not be used, the executable's own path.
TEST(SettingsFilePath, DisplayPathReadsAsThePlayerWouldTypeIt)
{
    char path[PATH_BUFFER_SIZE];
    keep_executable_path("C:\\Games\\Title\\nkcfg.exe");
    store_program_directory("C:\\Games\\Title\\nkcfg.exe", sjis_lead_byte);
    ASSERT_EQ(settings_file_display_path(path, sizeof path), 0);
    EXPECT_EQ(std::string(path), "c:\\games\\title\\nkcfg.dat");
    char exact[sizeof "c:\\games\\title\\nkcfg.dat"];
    EXPECT_EQ(settings_file_display_path(exact, sizeof exact), 0);
    EXPECT_EQ(settings_file_display_path(exact, sizeof exact - 1), -1);
    EXPECT_EQ(std::string(exact), "");

    // The folder is unknown: the executable's path, as Windows gave it.
    store_program_directory("", sjis_lead_byte);
    ASSERT_EQ(settings_file_display_path(path, sizeof path), 0);
    EXPECT_EQ(std::string(path), "C:\\Games\\Title\\nkcfg.exe");
    keep_executable_path("");
    ASSERT_EQ(settings_file_display_path(path, sizeof path), 0);
    EXPECT_EQ(std::string(path), "");
}

TEST(SettingsFilePath, KeptExecutablePathIsBounded)
{
    const std::string long_path(400, 'x');
    keep_executable_path(long_path.c_str());
    EXPECT_EQ(std::string(executable_path()), std::string(PATH_BUFFER_SIZE - 1, 'x'));
}

#ifndef _WIN32
// Every write to Linux's full device fails with ENOSPC, as on a full disk.
TEST(SettingsFile, FailedWriteAfterTheOpenIsReported)
{
    reset_settings();
    EXPECT_EQ(save_settings_to("/dev/full"), -1);
}

// While alive, writes past `bytes` into any file fail (EFBIG), as on a disk
// that fills up part way through.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_ = {};
    void (*old_handler_)(int) = nullptr;
};

// The file was missing and could be created, but the defaults did not all
// reach it: the player still gets the dialog with the defaults, and OK
// reports the file later if it still cannot be written.
TEST(SettingsFile, NewFileWhoseDefaultsDidNotFitStillShowsTheDefaults)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    zero_record();
    {
        FileSizeLimit full_after(40);
        EXPECT_EQ(load_settings_from(path.c_str()), 0);
        EXPECT_EQ(save_settings_to(path.c_str()), -1);
    }
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(record_entries(), default_entries());
}

// A save that fails part way overwrites only what it wrote: the rest of the
// old file, the engine's entries among it, is still there.  (Emptying the
// file first, then writing, would lose it all.)
TEST(SettingsFile, FailedSaveNeverEmptiesTheFile)
{
    ScratchFolder scratch;
    const std::string path = scratch.file("nkcfg.dat");
    const std::vector<unsigned char> original = entries_to_bytes(engine_entries());
    write_bytes(path, original);
    reset_settings();
    {
        FileSizeLimit full_after(40);
        EXPECT_EQ(save_settings_to(path.c_str()), -1);
    }
    std::vector<unsigned char> want = entries_to_bytes(default_entries());
    std::copy(original.begin() + 40, original.end(), want.begin() + 40);
    EXPECT_EQ(read_bytes(path), want);
}
#endif
