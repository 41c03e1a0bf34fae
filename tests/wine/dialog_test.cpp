// The settings dialog of the real tool, driven under Wine as a player
// would drive it: what it shows, what a click changes, what OK writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "dialog/dialog_ids.h"
#include "expect_driver.h"
#include "tool_folder.h"

using Entries = std::vector<long long>;

static Entries with(Entries entries, std::initializer_list<std::pair<int, long long>> changes)
{
    for (const auto& change : changes)
        entries[change.first] = change.second;
    return entries;
}

struct RadioGroupEntry {
    int entry;
    int first;
    int last;
};

static const RadioGroupEntry radio_groups[] = {
    {6, 1036, 1037}, {7, 1038, 1041}, {8, 1042, 1045}, {9, 1046, 1047}, {10, 1048, 1049},
};

static const std::pair<int, int> check_boxes[] = {
    {1035, 0}, {1032, 2}, {1033, 3}, {1034, 4}, {1050, 22},
};

static const int tab_cycle[] = {1032, 1033, 1034, 1035, IDOK, IDCANCEL, IDC_RESET, 1050};

// Every button state as the record `entries` should show it.
static void expect_shows(HWND dialog, const Entries& entries)
{
    for (const auto& box : check_boxes) {
        const long long value = entries[box.second];
        if (value == 0 || value == 1) {
            EXPECT_EQ(check_state(dialog, box.first), value) << "check box " << box.first;
        }
    }
    for (const RadioGroupEntry& group : radio_groups) {
        const long long value = entries[group.entry];
        for (int id = group.first; id <= group.last; id++)
            EXPECT_EQ(check_state(dialog, id), id - group.first == value ? 1 : 0) << "radio " << id;
    }
}

// A tool started on a settings file holding `entries` (or `bytes`).
struct DialogRun {
    ToolFolder folder;
    Program tool;
    HWND dialog = nullptr;

    // `title` nullptr: the tool's first dialog whatever its title says.
    explicit DialogRun(const std::vector<unsigned char>& bytes, const wchar_t* title = SETTINGS_TITLE)
    {
        write_bytes(folder.settings, bytes);
        EXPECT_TRUE(folder.start(tool));
        dialog = tool.wait_for(title);
        EXPECT_NE(dialog, nullptr);
    }
    explicit DialogRun(const Entries& entries, const wchar_t* title = SETTINGS_TITLE)
        : DialogRun(entries_to_bytes(entries), title) {}
    // Waits for a message box of the tool; nullptr when none comes.
    HWND box(const wchar_t* caption, DWORD timeout_ms = 5000) const
    {
        return tool.wait_for(caption, timeout_ms);
    }
    void ok_and_exit()
    {
        click(dialog, IDOK);
        EXPECT_EQ(tool.wait_exit(), 0);
    }
};

// Distinct values in the entries the dialog does not show.
static Entries engine_file()
{
    Entries entries = default_entries();
    for (int i = 11; i < 32; i++)
        entries[i] = 100 + i;
    entries[22] = 0;
    entries[5] = 55;
    return entries;
}

struct ShowCase {
    const char* name;
    Entries file;
};

TEST(SettingsDialog, ShowsTheRecordAndNoNotice)
{
    const Entries all_other = {0, 1, 0, 0, 0, 0, 1, 3, 3, 1, 1, 1, 0, 0, 1, 0,
                               2, 2, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const ShowCase cases[] = {
        {"defaults", default_entries()},
        {"every group at another value", all_other},
        {"second values", with(default_entries(), {{6, 1}, {7, 1}, {8, 2}, {9, 1}, {10, 1}, {2, 0}})},
        {"out of range", with(default_entries(), {{6, 2}, {7, -1}, {8, 7}, {9, 100}, {10, -5}})},
    };
    for (const ShowCase& test : cases) {
        SCOPED_TRACE(test.name);
        DialogRun run(test.file);
        ASSERT_NE(run.dialog, nullptr);
        expect_shows(run.dialog, test.file);
        EXPECT_EQ(run.box(INFO_CAPTION, 300), nullptr) << "a notice at start";
        click(run.dialog, IDCANCEL);
        EXPECT_EQ(run.tool.wait_exit(), 0);
    }
}

TEST(SettingsDialog, OpensCentredWithFocusOnOkAndAFixedFrame)
{
    DialogRun run(default_entries());
    ASSERT_NE(run.dialog, nullptr);

    RECT window, work;
    GetWindowRect(run.dialog, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((window.left + window.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - (work.top + work.bottom) / 2), 1);

    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(run.dialog, nullptr), &info));
    EXPECT_EQ(info.hwndFocus, GetDlgItem(run.dialog, IDOK));

    const LONG style = GetWindowLongW(run.dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "close box";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "sizing frame";
    click(run.dialog, IDCANCEL);
    EXPECT_EQ(run.tool.wait_exit(), 0);
}

// The Tab walk from 1032 round to 1032.  The platform gives the checked
// radio button of each group a tab stop at run time, so radio buttons met
// on the way are left out of `order` and returned in `radios`.
static void walk_tabs(HWND dialog, std::vector<int>& order, std::vector<int>& radios)
{
    HWND start = GetDlgItem(dialog, 1032);
    HWND at = start;
    for (int step = 0; step < 40; step++) {
        const int id = GetDlgCtrlID(at);
        if ((GetWindowLongW(at, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            radios.push_back(id);
        else
            order.push_back(id);
        at = GetNextDlgTabItem(dialog, at, FALSE);
        if (at == start)
            break;
    }
}

TEST(SettingsDialog, TabCycleAndRadioTabStops)
{
    struct TabCase {
        const char* name;
        Entries file;
        std::vector<int> want_radios;  // the checked ones, in template order
    };
    const TabCase cases[] = {
        {"no radio checked", with(default_entries(), {{6, 9}, {7, 9}, {8, 9}, {9, 9}, {10, 9}}), {}},
        {"defaults", default_entries(), {1036, 1038, 1043, 1046, 1048}},
    };
    for (const TabCase& test : cases) {
        SCOPED_TRACE(test.name);
        DialogRun run(test.file);
        ASSERT_NE(run.dialog, nullptr);
        std::vector<int> order, radios;
        walk_tabs(run.dialog, order, radios);
        std::sort(radios.begin(), radios.end());
        EXPECT_EQ(order, std::vector<int>(std::begin(tab_cycle), std::end(tab_cycle)));
        EXPECT_EQ(radios, test.want_radios);
        click(run.dialog, IDCANCEL);
        EXPECT_EQ(run.tool.wait_exit(), 0);
    }
}

TEST(SettingsDialog, RadioClickClearsOnlyItsOwnGroup)
{
    DialogRun run(default_entries());
    ASSERT_NE(run.dialog, nullptr);
    Entries shown = default_entries();
    for (const RadioGroupEntry& group : radio_groups) {
        for (int id = group.last; id >= group.first; id--) {
            click(run.dialog, id);
            shown[group.entry] = id - group.first;
            SCOPED_TRACE("after clicking " + std::to_string(id));
            expect_shows(run.dialog, shown);
        }
    }
    click(run.dialog, IDCANCEL);
    EXPECT_EQ(run.tool.wait_exit(), 0);
}

struct OkCase {
    const char* name;
    std::vector<unsigned char> file;
    std::vector<int> clicks;
    Entries want;
};

// A file of only entries 0 to 9 (40 bytes): the rest of the record is 0,
// not the defaults, and OK writes it so.
static const Entries forty_byte_file = {1, 0, 1, 0, 1, 9, 1, 2, 3, 1};

TEST(SettingsDialog, OkWritesTheExpectedBytes)
{
    const Entries engine = engine_file();
    const Entries saved_engine = with(engine, {{5, 0}});
    const OkCase cases[] = {
        {"no edit", entries_to_bytes(engine), {}, saved_engine},
        {"entry 1 zero in the file", entries_to_bytes(with(engine, {{1, 0}})), {}, saved_engine},
        {"every radio at its last value", entries_to_bytes(engine), {1037, 1041, 1045, 1047, 1049},
         with(saved_engine, {{6, 1}, {7, 3}, {8, 3}, {9, 1}, {10, 1}})},
        {"second values", entries_to_bytes(engine), {1037, 1039, 1042, 1047, 1049},
         with(saved_engine, {{6, 1}, {7, 1}, {8, 0}, {9, 1}, {10, 1}})},
        {"third values", entries_to_bytes(engine), {1040, 1044}, with(saved_engine, {{7, 2}, {8, 2}})},
        {"render back to GPU bilinear", entries_to_bytes(with(engine, {{8, 3}})), {1043},
         with(saved_engine, {{8, 1}})},
        {"every check box set from cleared", entries_to_bytes(with(engine, {{0, 0}, {2, 0}, {3, 0}, {4, 0}, {22, 0}})),
         {1032, 1033, 1034, 1035, 1050}, with(saved_engine, {{0, 1}, {2, 1}, {3, 1}, {4, 1}, {22, 1}})},
        {"back to the first values", entries_to_bytes(with(engine, {{6, 1}, {7, 3}, {8, 3}, {9, 1}, {10, 1}})),
         {1036, 1038, 1042, 1046, 1048}, with(saved_engine, {{6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0}})},
        {"every check box toggled", entries_to_bytes(engine), {1032, 1033, 1034, 1035, 1050},
         with(saved_engine, {{0, 0}, {2, 0}, {3, 0}, {4, 0}, {22, 1}})},
        {"out-of-range values written back",
         entries_to_bytes(with(engine, {{6, 2}, {7, -1}, {8, 7}, {9, 100}, {10, -5}})), {},
         with(saved_engine, {{6, 2}, {7, -1}, {8, 7}, {9, 100}, {10, -5}})},
        {"out of range, then picked", entries_to_bytes(with(engine, {{8, 7}})), {1044},
         with(saved_engine, {{8, 2}})},
        // The value 2 goes to a two-state check box unchanged; the box then
        // reads as checked, so OK writes 1.
        {"check box value 2", entries_to_bytes(with(engine, {{2, 2}})), {}, saved_engine},
        {"reset then OK", entries_to_bytes(engine), {1037, 1032, IDC_RESET}, default_entries()},
        {"40-byte file", entries_to_bytes(forty_byte_file), {},
         {1, 1, 1, 0, 1, 0, 1, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty file", {}, {},
         {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const OkCase& test : cases) {
        SCOPED_TRACE(test.name);
        DialogRun run(test.file);
        ASSERT_NE(run.dialog, nullptr);
        for (int id : test.clicks) {
            const bool clears_directshow = id == 1035 && check_state(run.dialog, 1035) == BST_CHECKED;
            if (!clears_directshow) {
                click(run.dialog, id);
            } else {  // clearing DirectShow brings the notice
                click_opening_box(run.dialog, id);
                HWND notice = run.box(INFO_CAPTION);
                ASSERT_NE(notice, nullptr);
                dismiss(notice);
            }
        }
        run.ok_and_exit();
        EXPECT_EQ(read_bytes(run.folder.settings), entries_to_bytes(test.want));
    }
}

enum class Close { cancel_button, escape_key, close_box };

static void close_without_saving(HWND dialog, Close how)
{
    switch (how) {
    case Close::cancel_button:
        click(dialog, IDCANCEL);
        break;
    case Close::escape_key: {
        HWND focus = GetDlgItem(dialog, IDOK);
        PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        break;
    }
    case Close::close_box:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

TEST(SettingsDialog, CancelEscAndCloseBoxLeaveTheFile)
{
    struct CloseCase {
        const char* name;
        Close how;
        std::vector<int> clicks;
    };
    const CloseCase cases[] = {
        {"cancel", Close::cancel_button, {}},
        {"esc", Close::escape_key, {}},
        {"close box", Close::close_box, {}},
        {"cancel after edits", Close::cancel_button, {1037, 1045, 1032, 1050}},
        {"esc after edits", Close::escape_key, {1039, 1049}},
        {"close box after edits", Close::close_box, {1047, 1034}},
        {"cancel after reset", Close::cancel_button, {IDC_RESET}},
        {"close box after edits and reset", Close::close_box, {1040, IDC_RESET, 1033}},
    };
    const std::vector<unsigned char> original = entries_to_bytes(with(engine_file(), {{1, 0}, {8, 7}}));
    for (const CloseCase& test : cases) {
        SCOPED_TRACE(test.name);
        DialogRun run(original);
        ASSERT_NE(run.dialog, nullptr);
        for (int id : test.clicks)
            click(run.dialog, id);
        close_without_saving(run.dialog, test.how);
        EXPECT_EQ(run.tool.wait_exit(), 0);
        EXPECT_EQ(read_bytes(run.folder.settings), original);
    }
}

// ※ムービー再生に DirectShow を使用しない場合で、 / 　フルスクリーン時の拡大
// 方法が「拡大(外接)」の場合、 / 　強制的に「拡大(内接)」でムービーが再生されます。
static const wchar_t directshow_notice[] =
    L"※ムービー再生に DirectShow を使用しない場合で、\r\n"
    L"\u3000フルスクリーン時の拡大方法が「拡大(外接)」の場合、\r\n"
    L"\u3000強制的に「拡大(内接)」でムービーが再生されます。";

static void expect_notice(const DialogRun& run)
{
    HWND notice = run.box(INFO_CAPTION);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(message_text(notice), directshow_notice);
    EXPECT_EQ(GetWindow(notice, GW_OWNER), run.dialog);
    dismiss(notice);
}

TEST(SettingsDialog, ClearingDirectShowShowsTheNoticeEachTime)
{
    DialogRun run(default_entries());
    ASSERT_NE(run.dialog, nullptr);
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE("round " + std::to_string(round));
        click_opening_box(run.dialog, 1035);  // cleared
        expect_notice(run);
        EXPECT_EQ(check_state(run.dialog, 1035), BST_UNCHECKED);
        click(run.dialog, 1035);  // checked again: nothing
        EXPECT_EQ(run.box(INFO_CAPTION, 300), nullptr);
        EXPECT_EQ(check_state(run.dialog, 1035), BST_CHECKED);
    }
    // With scaling circumscribed or not, the same notice.
    click(run.dialog, 1039);
    click_opening_box(run.dialog, 1035);
    expect_notice(run);
    // The reset checks the box again without a notice.
    click(run.dialog, IDC_RESET);
    EXPECT_EQ(run.box(INFO_CAPTION, 300), nullptr);
    EXPECT_EQ(check_state(run.dialog, 1035), BST_CHECKED);
    click(run.dialog, IDCANCEL);
    EXPECT_EQ(run.tool.wait_exit(), 0);
}

// 設定を保存できませんでした。
static const wchar_t unsaved_text[] = L"設定を保存できませんでした。";

TEST(SettingsDialog, OkOnAFileHeldReadOnlySharedKeepsTheChoices)
{
    const Entries original = engine_file();
    DialogRun run(original);
    ASSERT_NE(run.dialog, nullptr);
    HeldFile holder(run.folder.settings, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(holder.held());

    click(run.dialog, 1045);
    click(run.dialog, 1050);
    click_opening_box(run.dialog, IDOK);
    HWND box = run.box(ERROR_CAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), run.dialog);
    EXPECT_EQ(lower(message_text(box)), std::wstring(unsaved_text) + L"\r\n" + run.folder.settings_as_shown());
    dismiss(box);

    EXPECT_TRUE(run.tool.running());
    EXPECT_TRUE(IsWindow(run.dialog));
    const Entries chosen = with(original, {{8, 3}, {22, 1}, {5, 0}});
    expect_shows(run.dialog, chosen);
    holder.let_go();
    EXPECT_EQ(read_bytes(run.folder.settings), entries_to_bytes(original));

    run.ok_and_exit();
    EXPECT_EQ(read_bytes(run.folder.settings), entries_to_bytes(chosen));
}

// Captions that pass through a code page when the dialog is made: full- and
// half-width kana, ideographs, ASCII spaces and hyphens.
static const std::pair<int, const wchar_t*> sample_captions[] = {
    {1036, L"変更する --- 自動的に最適なアスペクト比の解像度に設定します。"},
    {1040, L"拡大(ﾌｨｯﾄ) --- 縦横比を無視して画面いっぱいに拡大します。"},
    {1042, L"GPU (ﾊﾞｲｷｭｰﾋﾞｯｸ) --- Direct3D を使用して描画します。画質が一番良いですが負荷が高いです。"},
    {1045, L"CPU (ﾆｱﾚｽﾄﾈｲﾊﾞｰ) --- 画質は汚いですが負荷は軽いです。"},
    {1035, L"ムービー再生に DirectShow を使用する"},
    {1049, L"常に画面中央、通常サイズ"},
    {1050, L"起動中に Aero 機能を強制的にOFFにする"},
    {IDCANCEL, L"キャンセル"},
    {IDC_RESET, L"初期化"},
};

static void expect_sample_captions(HWND dialog)
{
    EXPECT_EQ(window_text(dialog), SETTINGS_TITLE);
    for (const auto& caption : sample_captions)
        EXPECT_EQ(window_text(GetDlgItem(dialog, caption.first)), caption.second) << caption.first;
}

// The 95 family's user32 only stubs DialogBoxParamW: there the tool makes
// its dialog with the ANSI call, on NT with the wide one.  Wine implements
// both everywhere, so which call made the window is what shows.
TEST(SettingsDialog, AnsiDialogOnThe95FamilyUnicodeOnNt)
{
    const struct {
        const char* version;
        BOOL unicode;
    } cases[] = {
        {"win98", FALSE}, {"winme", FALSE}, {"win2k", TRUE}, {"winxp", TRUE}, {"win7", TRUE}, {"win10", TRUE},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.version);
        EmulatedWindows emulated(test.version);
        DialogRun run(engine_file());
        ASSERT_NE(run.dialog, nullptr);
        EXPECT_EQ(IsWindowUnicode(run.dialog), test.unicode);
        expect_sample_captions(run.dialog);
        expect_shows(run.dialog, engine_file());
        click(run.dialog, 1044);
        run.ok_and_exit();
        EXPECT_EQ(read_bytes(run.folder.settings), entries_to_bytes(with(engine_file(), {{8, 2}, {5, 0}})));
    }
}

// Run by its own CTest entry on code page 1252: the dialog and the notice
// read exactly as on Japanese Windows.
TEST(OtherCodePage, DialogAndNoticeReadAsDesigned)
{
    ASSERT_EQ(GetACP(), 1252u) << "this suite runs under LANG=en_US.UTF-8";
    DialogRun run(default_entries(), nullptr);
    ASSERT_NE(run.dialog, nullptr);
    expect_sample_captions(run.dialog);
    click_opening_box(run.dialog, 1035);
    expect_notice(run);
    click(run.dialog, IDCANCEL);
    EXPECT_EQ(run.tool.wait_exit(), 0);
}
