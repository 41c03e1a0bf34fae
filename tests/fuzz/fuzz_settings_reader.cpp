// Fuzzes the settings reader with arbitrary file contents: any file loads,
// entry 1 is 1 afterwards, and the leading bytes are taken as they are.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static char path[64];
    if (path[0] == '\0')
        std::snprintf(path, sizeof path, "/tmp/nkcfg-fuzz-%d.dat", static_cast<int>(getpid()));
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    reset_settings();
    if (load_settings_from(path) != 0 || settings_value(option_1031) != 1)
        std::abort();
    unsigned char bytes[SETTINGS_FILE_BYTES];
    encode_settings(bytes);
    const std::size_t compared = size < SETTINGS_FILE_BYTES ? size : SETTINGS_FILE_BYTES;
    for (std::size_t i = 0; i < compared; i++) {
        if (i >= 4 && i < 8)
            continue;
        if (bytes[i] != data[i])
            std::abort();
    }
    return 0;
}
