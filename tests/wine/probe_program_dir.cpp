// Test probe: resolves its own program directory through the real
// GetModuleFileNameA and writes it, as raw bytes, to the file named by its
// first argument.
#include <cstdio>

#include "settings/program_dir.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    resolve_program_directory();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 3;
    std::fputs(program_directory(), out);
    std::fclose(out);
    return 0;
}
