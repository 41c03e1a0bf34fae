// Every message box of the tool goes through here.  The texts are code
// page 932; converting them to UTF-16 and calling MessageBoxW (which the 95
// family implements too) shows them as Japanese on a Windows whose ANSI code
// page is 1252 or 936 just as on a Japanese one, where MessageBoxA would
// show garbage.
#include "startup/message.h"

#include <cstddef>

#include "startup/texts.h"

enum {
    MESSAGE_CHARS = 1024,
    CODE_PAGE_SHIFT_JIS = 932,
};

// Appends `text` converted from `code_page` at out[*used]; the result stays
// zero-terminated.  False when the conversion fails: no such code page here,
// or no room left.
static bool append_wide(wchar_t* out, std::size_t* used, UINT code_page, const char* text)
{
    const int room = static_cast<int>(MESSAGE_CHARS - *used);
    const int converted = MultiByteToWideChar(code_page, 0, text, -1, out + *used, room);
    if (converted <= 0) {
        out[*used] = L'\0';
        return false;
    }
    *used += static_cast<std::size_t>(converted) - 1;  // without the zero
    return true;
}

// Appends the bytes of `text` at out[*used], as many as fit; the result
// stays zero-terminated.
static void append_bytes(char* out, std::size_t* used, const char* text)
{
    for (; *text != '\0' && *used < MESSAGE_CHARS - 1; text++)
        out[(*used)++] = *text;
    out[*used] = '\0';
}

static bool has_path(const char* path)
{
    return path != nullptr && path[0] != '\0';
}

static bool show_wide(UINT code_page, HWND owner, const char* text, const char* path,
                      const char* caption)
{
    wchar_t wide_text[MESSAGE_CHARS];
    wchar_t wide_caption[MESSAGE_CHARS];
    std::size_t text_used = 0;
    std::size_t caption_used = 0;
    bool converted = append_wide(wide_text, &text_used, code_page, text);
    if (converted && has_path(path)) {
        converted = append_wide(wide_text, &text_used, code_page, "\r\n") &&
                    append_wide(wide_text, &text_used, CP_ACP, path);
    }
    converted = converted && append_wide(wide_caption, &caption_used, code_page, caption);
    if (converted)
        MessageBoxW(owner, wide_text, wide_caption, MB_OK);
    return converted;
}

// The bytes as they stand: what a Windows without the texts' code page
// shows for them, which beats an empty box.
static void show_bytes(HWND owner, const char* text, const char* path, const char* caption)
{
    char narrow_text[MESSAGE_CHARS];
    std::size_t used = 0;
    append_bytes(narrow_text, &used, text);
    if (has_path(path)) {
        append_bytes(narrow_text, &used, "\r\n");
        append_bytes(narrow_text, &used, path);
    }
    MessageBoxA(owner, narrow_text, caption, MB_OK);
}

void show_message_from_code_page(UINT code_page, HWND owner, const char* text,
                                 const char* path_ansi, const char* caption)
{
    if (!show_wide(code_page, owner, text, path_ansi, caption))
        show_bytes(owner, text, path_ansi, caption);
}

void show_message(HWND owner, const char* text_cp932, const char* caption_cp932)
{
    show_message_from_code_page(CODE_PAGE_SHIFT_JIS, owner, text_cp932, nullptr, caption_cp932);
}

void show_error_with_path(HWND owner, const char* text_cp932, const char* path_ansi)
{
    show_message_from_code_page(CODE_PAGE_SHIFT_JIS, owner, text_cp932, path_ansi, TEXT_ERROR_CAPTION);
}
