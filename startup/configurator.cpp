// The start-up stages after the single-instance guard, in their fixed
// order: common controls, program directory, system gate, settings, dialog.
#include "dialog/settings_dialog.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "startup/message.h"
#include "startup/startup.h"
#include "startup/texts.h"

static HINSTANCE instance;

void set_instance_handle(HINSTANCE handle)
{
    instance = handle;
}


// The template's captions are UTF-16 and the wide call keeps them Japanese
// on a Windows of any ANSI code page; the 95 family's user32 only stubs it,
// so 98 and Me get the ANSI call (where the code page is 932 anyway for a
// Japanese player).
static void show_settings_dialog()
{
    if (windows_95_family())
        DialogBoxParamA(instance, "IDD_DIALOG1", nullptr, settings_dialog_proc, 0);
    else
        DialogBoxParamW(instance, L"IDD_DIALOG1", nullptr, settings_dialog_proc, 0);
}

// Tells the player which file is in the way.
static void report_unopenable_settings()
{
    char path[PATH_BUFFER_SIZE];
    settings_file_display_path(path, sizeof path);
    show_error_with_path(nullptr, TEXT_SETTINGS_UNOPENABLE, path);
}

int run_configurator()
{
    InitCommonControls();
    resolve_program_directory();
    if (pass_os_gate() != 0)
        return -1;
    // The player is told which file is in the way rather than left with
    // nothing: it could neither be read nor created, or it exists and cannot
    // be read (and is left as it is).
    if (load_settings() != 0) {
        report_unopenable_settings();
        return 0;
    }
    show_settings_dialog();
    return 0;
}
