// Start-up of the real tool under Wine: the settings file it creates, the
// single-instance guard, the system gate and the unusable settings file.
#include <gtest/gtest.h>

#include <memory>

#include "settings/program_dir.h"
#include "settings/settings.h"
#include "expect_driver.h"
#include "deep_folder.h"
#include "tool_folder.h"

// エラー box text for the gate: Windows95/NT3.5/NT4 では起動できません。
static const wchar_t old_windows_text[] =
    L"Windows95/NT3.5/NT4 \u3067\u306F\u8D77\u52D5\u3067\u304D\u307E\u305B\u3093\u3002";
// 設定ファイルを開けません。
static const wchar_t unopenable_text[] =
    L"\u8A2D\u5B9A\u30D5\u30A1\u30A4\u30EB\u3092\u958B\u3051\u307E\u305B\u3093\u3002";

static bool mutex_exists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "NOVUKA Config");
    if (mutex == nullptr)
        return false;
    CloseHandle(mutex);
    return true;
}

// The tool's mutex is only a marker: the tool never owns it, so anyone can
// take it at once while the tool runs.
static bool mutex_unowned()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, "NOVUKA Config");
    if (mutex == nullptr)
        return false;
    const bool taken = WaitForSingleObject(mutex, 0) == WAIT_OBJECT_0;
    if (taken)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return taken;
}

// Closes the settings dialog with Cancel and expects exit code 0.
static void cancel_and_expect_exit(Program& tool, HWND dialog)
{
    click(dialog, IDCANCEL);
    EXPECT_EQ(tool.wait_exit(), 0);
}

TEST(Startup, NoSettingsFileGivesADefaultsFileBeforeTheDialog)
{
    ToolFolder folder;
    Program tool;
    ASSERT_TRUE(folder.start(tool));
    HWND dialog = tool.wait_for(SETTINGS_TITLE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(read_bytes(folder.settings), entries_to_bytes(default_entries()));
    EXPECT_FALSE(file_exists(folder.elsewhere + "\\nkcfg.dat"));
    cancel_and_expect_exit(tool, dialog);
}

TEST(Startup, SecondCopyEndsAtOnceAndShowsNothing)
{
    ToolFolder folder;
    Program first;
    ASSERT_TRUE(folder.start(first));
    HWND dialog = first.wait_for(SETTINGS_TITLE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(mutex_exists());
    EXPECT_TRUE(mutex_unowned());

    Program second;
    ASSERT_TRUE(folder.start(second));
    EXPECT_EQ(second.wait_exit(), 0);
    EXPECT_TRUE(process_dialogs(second.process.dwProcessId).empty());
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindow(dialog));

    cancel_and_expect_exit(first, dialog);

    // The name is gone with the first copy: a new start runs normally.
    Program third;
    ASSERT_TRUE(folder.start(third));
    HWND again = third.wait_for(SETTINGS_TITLE);
    ASSERT_NE(again, nullptr);
    cancel_and_expect_exit(third, again);
}

TEST(Startup, MutexHeldOrKeptOpenByAnotherProcessEndsTheToolUntouched)
{
    for (const BOOL owned : {TRUE, FALSE}) {
        SCOPED_TRACE(owned ? "owned" : "merely kept open");
        ToolFolder folder;
        HANDLE held = CreateMutexA(nullptr, owned, "NOVUKA Config");
        ASSERT_NE(held, nullptr);
        Program tool;
        ASSERT_TRUE(folder.start(tool));
        EXPECT_EQ(tool.wait_exit(), 0);
        EXPECT_FALSE(file_exists(folder.settings));
        EXPECT_TRUE(process_dialogs(tool.process.dwProcessId).empty());
        if (owned)
            ReleaseMutex(held);
        CloseHandle(held);
    }
}

struct GateCase {
    const char* version;
    bool refused;
};

TEST(Startup, SystemGateThroughWineVersionEmulation)
{
    const GateCase cases[] = {
        {"win95", true}, {"nt351", true}, {"nt40", true},
        {"win98", false}, {"winme", false}, {"win2k", false}, {"winxp", false},
        {"win2003", false}, {"win7", false}, {"win10", false},
    };
    for (const GateCase& test : cases) {
        SCOPED_TRACE(test.version);
        EmulatedWindows emulated(test.version);
        ToolFolder folder;
        Program tool;
        ASSERT_TRUE(folder.start(tool));
        if (test.refused) {
            HWND box = tool.wait_for(ERROR_CAPTION);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(message_text(box), old_windows_text);
            EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
            EXPECT_TRUE(process_dialogs(tool.process.dwProcessId, SETTINGS_TITLE).empty());
            EXPECT_FALSE(file_exists(folder.settings));
            dismiss(box);
            EXPECT_EQ(tool.wait_exit(), 0);
            EXPECT_FALSE(file_exists(folder.settings));
        } else {
            HWND dialog = tool.wait_for(SETTINGS_TITLE);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(file_exists(folder.settings));
            cancel_and_expect_exit(tool, dialog);
        }
    }
}

// The settings file exists but cannot be read: the player is told which
// file, written as they would type it, no dialog appears, and the file
// stays as it was.
static void expect_unopenable_report(const ToolFolder& folder, Program& tool)
{
    HWND box = tool.wait_for(ERROR_CAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(lower(message_text(box)), std::wstring(unopenable_text) + L"\r\n" + folder.settings_as_shown());
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_TRUE(process_dialogs(tool.process.dwProcessId, SETTINGS_TITLE).empty());
    click(box, IDOK);
    EXPECT_EQ(tool.wait_exit(), 0);
}

TEST(Startup, UnreadableSettingsFileIsReportedAndKept)
{
    const std::vector<unsigned char> original = entries_to_bytes(std::vector<long long>(32, 7));
    const struct {
        const char* name;
        bool folder;  // else a file held open with write-only sharing
    } cases[] = {{"a folder named nkcfg.dat", true}, {"held write-only shared", false}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ToolFolder folder;
        std::unique_ptr<HeldFile> holder;
        if (test.folder) {
            ASSERT_TRUE(CreateDirectoryA(folder.settings.c_str(), nullptr));
        } else {
            write_bytes(folder.settings, original);
            holder = std::make_unique<HeldFile>(folder.settings, GENERIC_WRITE, FILE_SHARE_WRITE);
            ASSERT_TRUE(holder->held());
        }
        Program tool;
        ASSERT_TRUE(folder.start(tool));
        expect_unopenable_report(folder, tool);
        holder.reset();
        if (test.folder)
            EXPECT_TRUE(GetFileAttributesA(folder.settings.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        else
            EXPECT_EQ(read_bytes(folder.settings), original);
    }
}

// A folder so deep that the settings file's path would not fit: the
// program directory is unknown, and the player is told so, with the
// executable's own path, instead of the tool working on a cut-down name of
// another folder.
TEST(Startup, FolderTooDeepForTheSettingsPathIsReported)
{
    ToolFolder folder;
    const std::string deep = make_deep_folder(folder.folder, PROGRAM_DIRECTORY_MAX + 1);
    ASSERT_FALSE(deep.empty());
    // A short name keeps the executable's own path within MAX_PATH.
    Program tool;
    ASSERT_TRUE(folder.start_copy(tool, deep, "n.exe"));
    HWND box = tool.wait_for(ERROR_CAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(message_text(box), std::wstring(unopenable_text) + L"\r\n" + widen(deep + "\\n.exe"));
    EXPECT_TRUE(process_dialogs(tool.process.dwProcessId, SETTINGS_TITLE).empty());
    dismiss(box);
    EXPECT_EQ(tool.wait_exit(), 0);
    // Nothing was written anywhere along the way.
    for (std::string at = deep; at.size() > folder.folder.size(); at.resize(at.rfind('\\')))
        EXPECT_FALSE(file_exists(at + "\\nkcfg.dat")) << at;
}

// A folder whose name ends in 表 (0x95 0x5C, a trail byte equal to the
// backslash): the real tool finds its own folder and writes its file there,
// not in the folder the trail byte would cut the name to.
TEST(Startup, FolderWithABackslashTrailByteHoldsTheSettingsFile)
{
    ToolFolder scratch_folder;
    const std::string folder = scratch_folder.folder + "\\TEST\x95\x5C";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Program tool;
    ASSERT_TRUE(scratch_folder.start_copy(tool, folder, "nkcfg.exe"));
    HWND dialog = tool.wait_for(SETTINGS_TITLE);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(read_bytes(folder + "\\nkcfg.dat"), entries_to_bytes(default_entries()));
    EXPECT_FALSE(file_exists(scratch_folder.folder + "\\TEST\x95\\nkcfg.dat"));
    EXPECT_FALSE(file_exists(scratch_folder.settings));
    cancel_and_expect_exit(tool, dialog);
}

// Run by its own CTest entry with the locale en_US.UTF-8: the test process
// and the tool it starts both run on code page 1252.
TEST(OtherCodePage, GateMessageReadsTheSameAsInJapanese)
{
    ASSERT_EQ(GetACP(), 1252u) << "this suite runs under LANG=en_US.UTF-8";
    EmulatedWindows emulated("nt40");
    ToolFolder folder;
    Program probe;
    ASSERT_TRUE(probe.start(windows_path(PROBE_ACP_EXE), folder.elsewhere));
    ASSERT_EQ(probe.wait_exit(), 1252);
    Program tool;
    ASSERT_TRUE(folder.start(tool));
    HWND box = tool.wait_for(ERROR_CAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(message_text(box), old_windows_text);
    click(box, IDOK);
    EXPECT_EQ(tool.wait_exit(), 0);
}

TEST(OtherCodePage, UnreadableFileReportReadsTheSameAsInJapanese)
{
    ASSERT_EQ(GetACP(), 1252u) << "this suite runs under LANG=en_US.UTF-8";
    ToolFolder folder;
    ASSERT_TRUE(CreateDirectoryA(folder.settings.c_str(), nullptr));
    Program tool;
    ASSERT_TRUE(folder.start(tool));
    expect_unopenable_report(folder, tool);
}
