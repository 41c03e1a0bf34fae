// Every message box of the tool goes through here.  The texts are code
// page 932; converting them to UTF-16 and calling MessageBoxW shows them as
// Japanese on a Windows whose ANSI code page is 1252 or 936 just as on a
// Japanese one, where MessageBoxA would show garbage.
#include <cstddef>

#include "settings/program_dir.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "startup/texts.h"

enum {
    MESSAGE_CHARS = 1024,
    CODE_PAGE_SHIFT_JIS = 932,
};

// Appends `text` converted from `code_page` to out[*used...]; the result
// stays zero-terminated, and a text that does not fit is left out rather
// than overrun the buffer.
static void append_wide(wchar_t* out, std::size_t* used, UINT code_page, const char* text)
{
    const int room = static_cast<int>(MESSAGE_CHARS - 1 - *used);
    if (room <= 0)
        return;
    const int converted = MultiByteToWideChar(code_page, 0, text, -1, out + *used, room);
    if (converted > 0)
        *used += static_cast<std::size_t>(converted) - 1;  // without the zero
    out[*used] = L'\0';
}

// Shows the text, with the path on a line of its own when there is one.
static void show_text(HWND owner, const char* text_cp932, const char* path_ansi,
                      const char* caption_cp932)
{
    wchar_t text[MESSAGE_CHARS] = {};
    std::size_t used = 0;
    append_wide(text, &used, CODE_PAGE_SHIFT_JIS, text_cp932);
    if (path_ansi != nullptr) {
        append_wide(text, &used, CODE_PAGE_SHIFT_JIS, "\r\n");
        append_wide(text, &used, CP_ACP, path_ansi);
    }
    wchar_t caption[MESSAGE_CHARS] = {};
    used = 0;
    append_wide(caption, &used, CODE_PAGE_SHIFT_JIS, caption_cp932);
    MessageBoxW(owner, text, caption, MB_OK);
}

void show_message(HWND owner, const char* text_cp932, const char* caption_cp932)
{
    show_text(owner, text_cp932, nullptr, caption_cp932);
}

void show_settings_file_error(HWND owner, const char* text_cp932)
{
    char path[PATH_BUFFER_SIZE];
    settings_file_path(path, sizeof path);
    show_text(owner, text_cp932, path, TEXT_ERROR_CAPTION);
}
