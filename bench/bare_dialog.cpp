// The baseline of the start-up benchmark: the same IDD_DIALOG1 template and
// manifest as the tool (it links the tool's compiled resources), the
// default check states and the focus set the way the tool's dialog sets
// them, and nothing else: no mutex, no path, no version query, no file.
// Built twice, with and without the check states (BARE_WITH_STATES).
#include "dialog/dialog_ids.h"
#include "startup/win32_api.h"

static INT_PTR CALLBACK bare_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetFocus(GetDlgItem(dialog, IDOK));
#if BARE_WITH_STATES
        CheckDlgButton(dialog, IDC_USE_DIRECTSHOW, 1);
        CheckDlgButton(dialog, IDC_OPTION_1031, 1);
        CheckDlgButton(dialog, IDC_USE_SSE, 1);
        CheckDlgButton(dialog, IDC_USE_SSE2, 1);
        CheckDlgButton(dialog, IDC_USE_MULTICORE, 1);
        CheckDlgButton(dialog, IDC_DISABLE_AERO, 0);
        CheckRadioButton(dialog, IDC_RESOLUTION_CHANGE, IDC_RESOLUTION_KEEP, IDC_RESOLUTION_CHANGE);
        CheckRadioButton(dialog, IDC_SCALING_INSCRIBED, IDC_SCALING_NONE, IDC_SCALING_INSCRIBED);
        CheckRadioButton(dialog, IDC_RENDER_GPU_BICUBIC, IDC_RENDER_CPU_NEAREST, IDC_RENDER_GPU_BILINEAR);
        CheckRadioButton(dialog, IDC_TITLEBAR_MAXIMISE, IDC_TITLEBAR_INITIAL_SIZE, IDC_TITLEBAR_MAXIMISE);
        CheckRadioButton(dialog, IDC_STARTUP_LAST_STATE, IDC_STARTUP_CENTRED, IDC_STARTUP_LAST_STATE);
#endif
    } else if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamW(instance, L"IDD_DIALOG1", nullptr, bare_dialog_proc, 0);
    return 0;
}
