// Start-up: the single-instance guard, the start-up stages, the system
// gate and the one way the tool speaks to the player, the message box.
#pragma once

#include "startup/win32_api.h"

// The named mutex that keeps a second copy out.
#define INSTANCE_MUTEX_NAME "NOVUKA Config"

// 0 when the mutex was created (or creating it failed for another reason
// than its existence: the tool then runs unguarded); -1 for a slot other
// than 0 or 1, or when a mutex of that name exists already.
int create_instance_mutex(int slot, const char* name);

// Closes the handles of slots 0 to last_slot; -1 with nothing done for a
// last_slot other than 0 or 1.
int release_instance_mutexes(signed char last_slot);

// The instance handle WinMain received; the dialog is created from it.
void set_instance_handle(HINSTANCE instance);
HINSTANCE instance_handle();

// The start-up stages after the guard.  0 when they ran to their end or
// stopped at an unusable settings file, -1 when the system gate refused.
int run_configurator();

// The OS code of the running Windows (see os_classify.h).
int identify_os();

// The gate: 0 to go on; -1 after telling the player this Windows is too old.
int pass_os_gate();

// Modal message box with an OK button and no icon.  Texts are in code page
// 932 and are shown as UTF-16, so they read the same on every Windows.
void show_message(HWND owner, const char* text_cp932, const char* caption_cp932);

// An "エラー" box about the settings file: the text, then the file's path
// (in the ANSI code page, as GetModuleFileNameA gave it) on its own line.
void show_settings_file_error(HWND owner, const char* text_cp932);
