// The start-up stages after the single-instance guard, in their fixed
// order: common controls, program directory, system gate, settings, dialog.
#include "dialog/settings_dialog.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "startup/texts.h"

static HINSTANCE instance;

void set_instance_handle(HINSTANCE handle)
{
    instance = handle;
}

HINSTANCE instance_handle()
{
    return instance;
}

// The player is told which file is in the way rather than left with
// nothing: it could neither be read nor created, or it exists and cannot be
// read (and is left as it is).
static void report_unopenable_settings()
{
    char path[PATH_BUFFER_SIZE];
    settings_file_path(path, sizeof path);
    show_message_with_path(nullptr, TEXT_SETTINGS_UNOPENABLE, path, TEXT_ERROR_CAPTION);
}

int run_configurator()
{
    InitCommonControls();
    resolve_program_directory();
    if (pass_os_gate() != 0)
        return -1;
    if (load_settings() != 0) {
        report_unopenable_settings();
        return 0;
    }
    run_settings_dialog(instance_handle());
    return 0;
}
