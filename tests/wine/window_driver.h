// Finding and driving the windows of a Windows program from a test: its
// dialogs and message boxes by process, class and caption; pressing their
// buttons and reading their texts.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/win32_api.h"

#define DIALOG_CLASS L"#32770"
#define SETTINGS_TITLE L"\u30A8\u30F3\u30B8\u30F3\u8A2D\u5B9A"  // エンジン設定
#define ERROR_CAPTION L"\u30A8\u30E9\u30FC"                     // エラー
#define INFO_CAPTION L"\u60C5\u5831"                            // 情報
// The text control of a message box.
#define MESSAGE_TEXT_ID 0xFFFF

inline std::wstring window_text(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::wstring class_name(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, sizeof name / sizeof name[0]);
    return name;
}

struct FoundWindow {
    DWORD process_id;
    const wchar_t* title;  // nullptr: any title
    std::vector<HWND> windows;
};

inline BOOL CALLBACK collect_window(HWND window, LPARAM param)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == found->process_id && IsWindowVisible(window) && class_name(window) == DIALOG_CLASS &&
        (found->title == nullptr || window_text(window) == found->title))
        found->windows.push_back(window);
    return TRUE;
}

// Visible top-level dialog windows of a process.
inline std::vector<HWND> process_dialogs(DWORD process_id, const wchar_t* title = nullptr)
{
    FoundWindow found = {process_id, title, {}};
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// Presses a button of a dialog and waits until the tool has handled it.
inline void click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored))
        << "control " << id << " did not finish its click; use click_opening_box";
}

// Presses a button whose click opens a modal message box: the tool stays
// inside the box's loop, so the click is posted rather than sent.
inline void click_opening_box(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    PostMessageW(button, BM_CLICK, 0, 0);
}

// The message box's text and its single OK button.
inline std::wstring message_text(HWND box)
{
    return window_text(GetDlgItem(box, MESSAGE_TEXT_ID));
}

// Presses a message box's OK and waits until it is gone.
inline void dismiss(HWND box)
{
    click(box, IDOK);
    for (int i = 0; i < 250 && IsWindow(box); i++)
        Sleep(20);
    EXPECT_FALSE(IsWindow(box)) << "the message box stayed";
}
