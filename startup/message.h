// Message boxes: the one way the tool speaks to the player.  Every box is
// modal, has an OK button and no icon; texts are in code page 932.
#pragma once

#include "startup/win32_api.h"

// Shows `text` under `caption`, both converted from code page 932 to UTF-16
// so that they read as Japanese on a Windows of any ANSI code page.
void show_message(HWND owner, const char* text_cp932, const char* caption_cp932);

// An "エラー" box: `text`, then `path` (in the ANSI code page, as Windows
// gives paths) on a line of its own; no path line when `path` is empty.
void show_error_with_path(HWND owner, const char* text_cp932, const char* path_ansi);

// The two above, with the texts' code page given.  On a Windows that lacks
// it (a Western 98, a 2000 without East Asian support) the texts go to
// MessageBoxA as they stand, rather than as an empty box.
void show_message_from_code_page(UINT code_page, HWND owner, const char* text,
                                 const char* path_ansi, const char* caption);
