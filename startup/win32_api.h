// The one door to Windows.  Every file of the tool that calls Windows
// includes this header and nothing else of the platform's; the calls the
// tool makes are listed here with what it relies on.
//
//   kernel32  GetModuleFileNameA   the executable's path, ANSI code page
//             GetACP               which code page that path is in
//             IsDBCSLeadByteEx     lead bytes of that code page
//             GetVersionExA        dwBuildNumber of the running Windows
//             CreateMutexA         the single-instance marker
//             GetLastError         ERROR_ALREADY_EXISTS after CreateMutexA
//             ReleaseMutex         (the tool never owns the mutex)
//             CloseHandle          drops the tool's reference to the mutex
//             MultiByteToWideChar  code page 932 / ANSI texts to UTF-16
//   comctl32  InitCommonControls   once, before any window exists
//   user32    DialogBoxParamW      the modal settings dialog on the NT family
//             DialogBoxParamA      the same on 98 and Me, which only stub the W call
//             EndDialog, GetDlgItem, SetFocus,
//             CheckDlgButton, CheckRadioButton, IsDlgButtonChecked
//             MessageBoxW          every message box, through startup/message.h
//             MessageBoxA          the same where code page 932 is missing
//
// The settings file is read, written and cut through the C runtime (msvcrt:
// its streams, and _chsize in settings/cut_file.cpp).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
