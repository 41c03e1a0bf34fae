// The settings dialog's procedure: moves values between the settings record
// and the controls of IDD_DIALOG1, saves on OK, restores defaults on reset.
#pragma once

#include "startup/win32_api.h"

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
