// Operating-system classification by build number: the pure half of the
// gate that keeps the tool off Windows 95 and Windows NT 3.51 and 4.0.
#pragma once

enum {
    OS_CODE_UNKNOWN = 255,        // any build not in the table
    OS_CODE_VERSION_FAILED = -1,  // GetVersionExA failed
};

// The OS code for a dwBuildNumber as GetVersionExA fills it.  Only the low
// 16 bits count: on the Windows 95 family the high half holds the version.
int os_code_from_build(unsigned long build_number_field);

// 1 when the gate refuses an OS code: its low 8 bits, unsigned, from 1 to
// 19 (so -1, a failed version query, becomes 255 and passes).
int os_gate_refuses(int os_code);
