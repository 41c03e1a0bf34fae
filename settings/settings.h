// The settings record: 32 signed 32-bit integers that hold the engine's
// start-up options, and the file nkcfg.dat in the program directory that
// stores them as 128 little-endian bytes.  The engine reads the same file;
// entries the dialog does not show are carried through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    SETTINGS_COUNT = 32,
    SETTINGS_FILE_BYTES = SETTINGS_COUNT * 4,
};

// Entries with a meaning in the tool; the others are known by index only.
enum SettingsEntry {
    use_directshow = 0,
    option_1031 = 1,
    use_sse = 2,
    use_sse2 = 3,
    use_multicore = 4,
    entry_5 = 5,
    fullscreen_resolution = 6,
    fullscreen_scaling = 7,
    render_method = 8,
    titlebar_double_click = 9,
    startup_window = 10,
    disable_aero = 22,
};

#define SETTINGS_FILE_NAME "nkcfg.dat"

// Entry `index` of the record; 0 for an index outside 0-31.
std::int32_t settings_value(int index);
// Sets entry `index`; an index outside 0-31 is ignored.
void set_settings_value(int index, std::int32_t value);

// Writes the defaults into all 32 entries.
void reset_settings();

// The record as the file's 128 bytes, and back.
void encode_settings(unsigned char bytes[SETTINGS_FILE_BYTES]);
void decode_settings(const unsigned char bytes[SETTINGS_FILE_BYTES]);

// Reads the record from `path`: up to 128 bytes fill the record from entry
// 0, then entry 1 is set to 1; the file is not changed.  A file that does
// not exist is created with the defaults (the record holds them even when
// writing them failed).  Returns 0 when the record holds settings to show;
// -1 when the file exists but cannot be read (it is left alone) or could
// not be created.
int load_settings_from(const char* path);

// Writes the record's 128 bytes over the start of the file at `path` (made
// when missing) and cuts it after them; an existing file is never emptied
// first.  Returns 0 only when every byte reached the file.
int save_settings_to(const char* path);

// The settings file's path: program directory, a backslash, nkcfg.dat.
// Returns -1 (with out empty) when it does not fit.
int settings_file_path(char* out, std::size_t out_size);

// The settings file's path as a player would type it, for messages: the
// program directory (which ends in a backslash) and nkcfg.dat; when the
// directory is unknown, the executable's own path instead.  -1 (with out
// empty) when it does not fit.
int settings_file_display_path(char* out, std::size_t out_size);

// load_settings_from / save_settings_to on the settings file's path.
int load_settings();
int save_settings();
