// Control identifiers of the settings dialog, shared by the resource
// script, the dialog procedure and the tests.  Only #defines: windres reads
// this file too.
#pragma once

#define IDC_STATIC (-1)

// Push buttons.  IDOK (1) and IDCANCEL (2) come from the platform.
#define IDC_RESET 3

// Check boxes.
#define IDC_USE_SSE 1032
#define IDC_USE_SSE2 1033
#define IDC_USE_MULTICORE 1034
#define IDC_USE_DIRECTSHOW 1035
#define IDC_DISABLE_AERO 1050
// Entry 1's control: named by the code, absent from the template.
#define IDC_OPTION_1031 1031

// Radio groups, each from its first to its last identifier.
#define IDC_RESOLUTION_CHANGE 1036
#define IDC_RESOLUTION_KEEP 1037
#define IDC_SCALING_INSCRIBED 1038
#define IDC_SCALING_CIRCUMSCRIBED 1039
#define IDC_SCALING_FIT 1040
#define IDC_SCALING_NONE 1041
#define IDC_RENDER_GPU_BICUBIC 1042
#define IDC_RENDER_GPU_BILINEAR 1043
#define IDC_RENDER_CPU_BILINEAR 1044
#define IDC_RENDER_CPU_NEAREST 1045
#define IDC_TITLEBAR_MAXIMISE 1046
#define IDC_TITLEBAR_INITIAL_SIZE 1047
#define IDC_STARTUP_LAST_STATE 1048
#define IDC_STARTUP_CENTRED 1049
