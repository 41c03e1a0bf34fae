// Program directory derivation: a pure function of the executable's path,
// so it runs and is tested the same on every platform.  The call that
// obtains the path lives in program_dir_win.cpp.
#include "settings/program_dir.h"

#include <cstring>

#include "settings/sjis.h"

static char program_directory_buffer[PATH_BUFFER_SIZE] = PROGRAM_DIRECTORY_UNKNOWN;
static char executable_path_buffer[PATH_BUFFER_SIZE];

static int set_failure(char* out, std::size_t out_size)
{
    if (out_size >= sizeof PROGRAM_DIRECTORY_UNKNOWN)
        std::memcpy(out, PROGRAM_DIRECTORY_UNKNOWN, sizeof PROGRAM_DIRECTORY_UNKNOWN);
    else if (out_size > 0)
        out[0] = '\0';
    return -1;
}

// Length of the drive part: "X:" when the path's second byte is a colon.
static std::size_t drive_length(const char* path)
{
    return (path[0] != '\0' && path[1] == ':') ? 2 : 0;
}

// Length of the directory part of `rest`: up to and including the last
// '\\' or '/' that is a character of its own in the path's code page.
static std::size_t directory_length(const char* rest, const unsigned char* lead_table)
{
    std::size_t end = 0;
    for (std::size_t pos = 0; rest[pos] != '\0'; ) {
        const unsigned char byte = static_cast<unsigned char>(rest[pos]);
        if (lead_table[byte] && rest[pos + 1] != '\0') {
            pos += 2;
            continue;
        }
        pos++;
        if (byte == '\\' || byte == '/')
            end = pos;
    }
    return end;
}

int derive_program_directory(const char* exe_path, const unsigned char* lead_table,
                             char* out, std::size_t out_size)
{
    char working[PATH_BUFFER_SIZE];
    const std::size_t drive = drive_length(exe_path);
    const std::size_t directory = directory_length(exe_path + drive, lead_table);
    if (directory > DIRECTORY_PART_MAX)
        return set_failure(out, out_size);

    std::memcpy(working, exe_path, drive + directory);
    std::size_t length = drive + directory;
    working[length] = '\0';

    sjis_replace_char(working, '/', '\\');
    if (sjis_ends_with_char(working, '\\'))
        working[--length] = '\0';
    working[length++] = '\\';
    working[length] = '\0';

    if (length > PROGRAM_DIRECTORY_MAX || length >= out_size)
        return set_failure(out, out_size);
    std::memcpy(out, working, length + 1);
    sjis_lower_ascii(out);
    return 0;
}

void store_program_directory(const char* exe_path, const unsigned char* lead_table)
{
    derive_program_directory(exe_path, lead_table, program_directory_buffer,
                             sizeof program_directory_buffer);
}

const char* program_directory()
{
    return program_directory_buffer;
}

int program_directory_unknown()
{
    return std::strcmp(program_directory_buffer, PROGRAM_DIRECTORY_UNKNOWN) == 0 ? 1 : 0;
}

void keep_executable_path(const char* path)
{
    std::size_t length = 0;
    for (; path[length] != '\0' && length < sizeof executable_path_buffer - 1; length++)
        executable_path_buffer[length] = path[length];
    executable_path_buffer[length] = '\0';
}

const char* executable_path()
{
    return executable_path_buffer;
}
