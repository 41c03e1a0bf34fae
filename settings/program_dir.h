// The program directory: where the tool's executable, and so its settings
// file, lives.  Derived once at start-up from the executable's path as a
// code-page-932 string, lower-cased, with one trailing backslash.
#pragma once

#include <cstddef>

enum {
    // The platform's longest path (MAX_PATH) and its terminating zero.
    PATH_BUFFER_SIZE = 261,
    // The most bytes taken from the directory part of the executable's path.
    DIRECTORY_PART_MAX = 255,
    // The longest program directory that still leaves room for the settings
    // file's name ("\\nkcfg.dat", 10 bytes) and the zero in a MAX_PATH buffer.
    PROGRAM_DIRECTORY_MAX = PATH_BUFFER_SIZE - 1 - 10,
};

// The failure value: a single backslash.  A settings path built from it
// starts with two backslashes and names no share, so it never opens.
#define PROGRAM_DIRECTORY_UNKNOWN "\\"

// Derives the program directory from an executable path into out.
// lead_table marks the lead bytes of the ANSI code page the path is in; it
// decides where the directory part ends.  Returns 0, or -1 with out set to
// the failure value when the directory is too long to be kept whole (a
// shortened name would name a different folder) or out is too small.
int derive_program_directory(const char* exe_path, const unsigned char* lead_table,
                             char* out, std::size_t out_size);

// Fills the program directory from the running executable's path
// (Windows only).  On any failure it holds the failure value.
void resolve_program_directory();

// Derives the program directory from exe_path and keeps it.
void store_program_directory(const char* exe_path, const unsigned char* lead_table);

// The kept program directory; the failure value until one is stored.
const char* program_directory();

// 1 when the program directory holds the failure value.
int program_directory_unknown();

// Keeps the executable's path as Windows gave it (at most 260 bytes are
// kept), for telling the player where the tool is when its folder cannot be
// used; empty until kept.
void keep_executable_path(const char* path);
const char* executable_path();
