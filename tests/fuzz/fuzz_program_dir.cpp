// Fuzzes the program directory derivation with arbitrary paths: the result
// is always zero-terminated within its buffer, never longer than the
// settings path allows, and ends in a backslash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/program_dir.h"
#include "settings/sjis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    char path[1024];
    const std::size_t length = size < sizeof path - 1 ? size : sizeof path - 1;
    std::memcpy(path, data, length);
    path[length] = '\0';

    char out[PATH_BUFFER_SIZE];
    const int result = derive_program_directory(path, sjis_lead_byte, out, sizeof out);
    const std::size_t n = strnlen(out, sizeof out);
    if (n == sizeof out || n == 0 || n > PROGRAM_DIRECTORY_MAX || out[n - 1] != '\\')
        std::abort();
    if (result != 0 && std::strcmp(out, PROGRAM_DIRECTORY_UNKNOWN) != 0)
        std::abort();
    bool any_lead = false;
    for (std::size_t i = 0; i < length; i++)
        any_lead = any_lead || sjis_lead_byte[static_cast<unsigned char>(path[i])];
    if (!any_lead && std::memchr(out, '/', n) != nullptr)
        std::abort();
    return 0;
}
