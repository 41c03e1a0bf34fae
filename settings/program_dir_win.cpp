// Obtains the executable's path from Windows and keeps its directory.
#include "settings/program_dir.h"

#include "startup/win32_api.h"

// Lead bytes of the ANSI code page, in which GetModuleFileNameA answers.
static void ansi_lead_bytes(unsigned char table[256])
{
    const UINT code_page = GetACP();
    for (int byte = 0; byte < 256; byte++)
        table[byte] = IsDBCSLeadByteEx(code_page, static_cast<BYTE>(byte)) ? 1 : 0;
}

void resolve_program_directory()
{
    char path[PATH_BUFFER_SIZE] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    keep_executable_path(path);  // bounded: a cut path may lack its zero
    // A path the call cut to the buffer would name another folder; keep the
    // failure value instead.
    if (length == 0 || length >= sizeof path)
        return;
    unsigned char lead_table[256];
    ansi_lead_bytes(lead_table);
    store_program_directory(path, lead_table);
}
