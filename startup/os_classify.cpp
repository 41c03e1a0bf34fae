// Build number to OS code: see os_classify.h.  No Windows here.
#include "startup/os_classify.h"

#include <cstddef>

struct BuildCode {
    unsigned short build;
    unsigned char code;
};

static const BuildCode known_builds[] = {
    {950, 1},    // Windows 95
    {1111, 2},   // Windows 95 OSR2
    {1212, 3},   // Windows 95 OSR2.1
    {1214, 4},   // Windows 95 OSR2.5
    {1057, 12},  // Windows NT 3.51
    {1381, 13},  // Windows NT 4.0
    {1998, 20},  // Windows 98
    {2222, 21},  // Windows 98 Second Edition
    {3000, 30},  // Windows Me
    {2195, 40},  // Windows 2000
    {2211, 45}, {2223, 45}, {2239, 45}, {2247, 45}, {2250, 45}, {2257, 45},
    {2600, 50},  // Windows XP
    {3790, 60},  // Windows Server 2003, Windows XP x64
};

int os_code_from_build(unsigned long build_number_field)
{
    const unsigned build = build_number_field & 0xFFFFu;
    for (const BuildCode& known : known_builds) {
        if (known.build == build)
            return known.code;
    }
    return OS_CODE_UNKNOWN;
}

int os_gate_refuses(int os_code)
{
    const unsigned code = static_cast<unsigned>(os_code) & 0xFFu;
    return (code >= 1 && code <= 19) ? 1 : 0;
}
