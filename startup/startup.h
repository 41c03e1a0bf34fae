// Start-up: the single-instance guard, the instance handle, the start-up
// stages and the system gate.  Message boxes: startup/message.h.
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

// The start-up stages after the guard.  0 when they ran to their end or
// stopped at an unusable settings file, -1 when the system gate refused.
int run_configurator();

// The OS code of the running Windows (see os_classify.h).
int identify_os();

// The gate: 0 to go on; -1 after telling the player this Windows is too old.
int pass_os_gate();

// 1 on Windows 95, 98 and Me, whose user32 only stubs most wide calls.
int windows_95_family();
