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
        show_settings_file_error(nullptr, TEXT_SETTINGS_UNOPENABLE);
        return 0;
    }
    run_settings_dialog(instance_handle());
    return 0;
}
