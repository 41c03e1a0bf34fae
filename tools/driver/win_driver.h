// Driving Windows programs from the tests, the screenshot helper and the
// start-up bench: start a program and wait for it, find its dialogs and
// message boxes by process, class and caption, press their buttons and read
// their controls, hold a file open as another program would, and load an
// executable as a data file.  No test framework here; the tests wrap these
// in their assertions.
#pragma once

#include <string>
#include <vector>

#include "startup/win32_api.h"

// The dialog manager's window class: dialogs and message boxes alike.
#define DIALOG_CLASS L"#32770"
#define SETTINGS_TITLE L"\u30A8\u30F3\u30B8\u30F3\u8A2D\u5B9A"  // エンジン設定
#define ERROR_CAPTION L"\u30A8\u30E9\u30FC"                     // エラー
#define INFO_CAPTION L"\u60C5\u5831"                            // 情報
// The text control of a message box.
#define MESSAGE_TEXT_ID 0xFFFF

// A started program.  When it goes out of scope a program still running is
// ended, and its handle is closed.
struct Program {
    PROCESS_INFORMATION process = {};

    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts `exe` (with `arguments`, if any) in `directory`, with the given
    // environment block or, for nullptr, this process's.
    bool start(const std::string& exe, const std::string& directory, const std::string& arguments = "",
               const wchar_t* environment = nullptr);
    // The exit code, or -1 when still running after timeout_ms.
    int wait_exit(DWORD timeout_ms = 15000) const;
    bool running() const;
    // A visible dialog of this program captioned `caption` (nullptr: any
    // caption), looked for every poll_ms until it appears, the program ends
    // or the time is up; nullptr then.
    HWND wait_for(const wchar_t* caption, DWORD timeout_ms = 15000, DWORD poll_ms = 10) const;
};

// Starts a program, waits for its end and returns its exit code; -1 when it
// could not start or did not end in time (it is ended then).
int run_and_wait(const std::string& exe, const std::string& arguments, const std::string& directory,
                 DWORD timeout_ms = 30000);

// Visible top-level dialogs of a process, captioned `caption` (nullptr: any).
std::vector<HWND> process_dialogs(DWORD process_id, const wchar_t* caption = nullptr);

// The first of them, looked for every poll_ms until one appears, `process`
// (when given) ends, or the time is up; nullptr then.
HWND wait_for_dialog(DWORD process_id, HANDLE process, const wchar_t* caption, DWORD timeout_ms,
                     DWORD poll_ms = 10);

std::wstring window_text(HWND window);
std::wstring class_name(HWND window);
// The text of a message box.
std::wstring message_text(HWND box);
// BM_GETCHECK of a dialog's control.
LRESULT check_state(HWND dialog, int id);

// Presses a dialog's button and waits until the program has handled the
// click; false when there is no such control or it did not finish in time.
bool press(HWND dialog, int id);
// Presses a button whose click opens a modal box: the program stays in the
// box's loop, so the click is posted rather than sent.
bool press_without_waiting(HWND dialog, int id);
// Presses a message box's OK and waits until the box is gone.
bool dismiss_box(HWND box);

// The text in the ANSI code page, as UTF-16.
std::wstring widen(const std::string& text);
// The full Windows form of a path (a Unix path given by the build maps to
// drive Z:).
std::string windows_path(const char* path);

// A file held open as another program might hold it: `access` and
// `share` as given.  Closed when it goes out of scope.
struct HeldFile {
    HANDLE handle;
    HeldFile(const std::string& path, DWORD access, DWORD share);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return handle != INVALID_HANDLE_VALUE; }
    // Closes the file before the end of the scope.
    void let_go();
};

// An executable loaded as a data file, for its resources.  Freed when it
// goes out of scope, whatever happened meanwhile.
struct DataFile {
    HMODULE handle;
    explicit DataFile(const char* path);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    // The bytes of one resource of the given language; empty when none.
    std::vector<BYTE> resource(LPCWSTR type, LPCWSTR name, WORD language) const;
};
