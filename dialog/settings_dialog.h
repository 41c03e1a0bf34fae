// The settings dialog: moves values between the settings record and the
// controls of IDD_DIALOG1, saves on OK, restores defaults on reset.
#pragma once

#include "startup/win32_api.h"

// Shows the modal dialog; returns when the player closes it.
void run_settings_dialog(HINSTANCE instance);

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Copies the record into the controls.
void show_settings(HWND dialog);

// Copies the controls into the record.
void read_settings(HWND dialog);
