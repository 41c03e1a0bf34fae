// The settings dialog procedure: one small handler per message.
#include "dialog/settings_dialog.h"

#include "dialog/dialog_ids.h"
#include "settings/program_dir.h"
#include "settings/settings.h"
#include "startup/message.h"
#include "startup/texts.h"

struct CheckBoxEntry {
    int control;
    int entry;
};

// In the order the record is shown.  1031 has no control: handing it a
// value changes nothing.
static const CheckBoxEntry check_boxes[] = {
    {IDC_USE_DIRECTSHOW, use_directshow},
    {IDC_OPTION_1031, option_1031},
    {IDC_USE_SSE, use_sse},
    {IDC_USE_SSE2, use_sse2},
    {IDC_USE_MULTICORE, use_multicore},
    {IDC_DISABLE_AERO, disable_aero},
};

// A radio group's value is the position of its checked button.
struct RadioGroup {
    int entry;
    int first;
    int last;
};

static const RadioGroup radio_groups[] = {
    {fullscreen_resolution, IDC_RESOLUTION_CHANGE, IDC_RESOLUTION_KEEP},
    {fullscreen_scaling, IDC_SCALING_INSCRIBED, IDC_SCALING_NONE},
    {render_method, IDC_RENDER_GPU_BICUBIC, IDC_RENDER_CPU_NEAREST},
    {titlebar_double_click, IDC_TITLEBAR_MAXIMISE, IDC_TITLEBAR_INITIAL_SIZE},
    {startup_window, IDC_STARTUP_LAST_STATE, IDC_STARTUP_CENTRED},
};

static int is_checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED ? 1 : 0;
}

// Copies the record into the controls.
static void show_settings(HWND dialog)
{
    for (const CheckBoxEntry& box : check_boxes)
        CheckDlgButton(dialog, box.control, static_cast<UINT>(settings_value(box.entry)));
    // A value outside the group's range leaves the group as it is.
    for (const RadioGroup& group : radio_groups) {
        const std::int32_t value = settings_value(group.entry);
        if (value >= 0 && value <= group.last - group.first)
            CheckRadioButton(dialog, group.first, group.last, group.first + value);
    }
}

// Copies the controls into the record.
static void copy_controls_to_record(HWND dialog)
{
    for (const CheckBoxEntry& box : check_boxes)
        set_settings_value(box.entry, is_checked(dialog, box.control));
    // Entry 1 has no control; every load and the defaults give it 1.
    set_settings_value(option_1031, 1);
    set_settings_value(entry_5, 0);
    // A group with no checked button keeps its value, out of range or not.
    for (const RadioGroup& group : radio_groups) {
        for (int control = group.first; control <= group.last; control++) {
            if (is_checked(dialog, control))
                set_settings_value(group.entry, control - group.first);
        }
    }
}

static void on_init_dialog(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDOK));
    show_settings(dialog);
}

// The player's choices are kept when the file cannot be written: the dialog
// stays open, so they can try again or cancel.
static void on_ok(HWND dialog)
{
    copy_controls_to_record(dialog);
    if (save_settings() == 0) {
        EndDialog(dialog, IDOK);
        return;
    }
    char path[PATH_BUFFER_SIZE];
    settings_file_display_path(path, sizeof path);
    show_error_with_path(dialog, TEXT_SETTINGS_UNSAVED, path);
}

static void on_reset(HWND dialog)
{
    reset_settings();
    show_settings(dialog);
}

static void on_directshow_clicked(HWND dialog)
{
    if (!is_checked(dialog, IDC_USE_DIRECTSHOW))
        show_message(dialog, TEXT_DIRECTSHOW_NOTICE, TEXT_INFO_CAPTION);
}

static void on_command(HWND dialog, unsigned id)
{
    switch (id) {
    case IDOK:
        on_ok(dialog);
        break;
    case IDCANCEL:  // also Esc and the caption's close box
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_RESET:
        on_reset(dialog);
        break;
    case IDC_USE_DIRECTSHOW:
        on_directshow_clicked(dialog);
        break;
    default:
        break;
    }
}

// Returns 0 for every message: after WM_INITDIALOG that keeps the focus on
// OK, where on_init_dialog put it.
INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog(dialog);
        break;
    case WM_COMMAND:
        on_command(dialog, LOWORD(wparam));
        break;
    default:
        break;
    }
    return 0;
}
