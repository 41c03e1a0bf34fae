// The settings record and its file: see settings.h.  Only the C runtime's
// binary streams are used, so this file has no Windows dependency.
#include "settings/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings/cut_file.h"
#include "settings/program_dir.h"

static const std::int32_t settings_defaults[SETTINGS_COUNT] = {
    1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0,
    2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

static std::int32_t settings_record[SETTINGS_COUNT];

std::int32_t settings_value(int index)
{
    if (index < 0 || index >= SETTINGS_COUNT)
        return 0;
    return settings_record[index];
}

void set_settings_value(int index, std::int32_t value)
{
    if (index >= 0 && index < SETTINGS_COUNT)
        settings_record[index] = value;
}

void reset_settings()
{
    std::memcpy(settings_record, settings_defaults, sizeof settings_record);
}

void encode_settings(unsigned char bytes[SETTINGS_FILE_BYTES])
{
    for (int i = 0; i < SETTINGS_COUNT; i++) {
        const std::uint32_t value = static_cast<std::uint32_t>(settings_record[i]);
        for (int b = 0; b < 4; b++)
            bytes[i * 4 + b] = static_cast<unsigned char>(value >> (8 * b));
    }
}

void decode_settings(const unsigned char bytes[SETTINGS_FILE_BYTES])
{
    for (int i = 0; i < SETTINGS_COUNT; i++) {
        std::uint32_t value = 0;
        for (int b = 0; b < 4; b++)
            value |= static_cast<std::uint32_t>(bytes[i * 4 + b]) << (8 * b);
        settings_record[i] = static_cast<std::int32_t>(value);
    }
}

// Opens the settings file to be written in place: an existing file for
// update, so it keeps its bytes until new ones replace them, or a new file
// when there is none.  Nothing is ever cut to zero on opening.
static std::FILE* open_for_writing(const char* path)
{
    errno = 0;
    std::FILE* file = std::fopen(path, "r+b");
    if (file == nullptr && errno == ENOENT)
        file = std::fopen(path, "wb");
    return file;
}

// Writes the record's 128 bytes over the start of `file`, cuts anything
// after them, and closes it; 0 only when every step succeeded.
static int write_record(std::FILE* file)
{
    unsigned char bytes[SETTINGS_FILE_BYTES];
    encode_settings(bytes);
    bool written = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
    written = cut_file(file, SETTINGS_FILE_BYTES) == 0 && written;
    written = std::fclose(file) == 0 && written;
    return written ? 0 : -1;
}

// A missing file is created with the defaults.  Once it exists the player
// gets the dialog even if the defaults did not all reach it (a full disk):
// OK writes the file again and reports a failure then.
static int create_with_defaults(const char* path)
{
    reset_settings();
    std::FILE* file = open_for_writing(path);
    if (file == nullptr)
        return -1;
    write_record(file);
    return 0;
}

int load_settings_from(const char* path)
{
    errno = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        // Only a missing file is created; an existing one that cannot be read
        // holds the engine's entries and must not be cut.
        if (errno != ENOENT)
            return -1;
        return create_with_defaults(path);
    }

    // A short file fills only the leading bytes; the rest keeps its value.
    unsigned char bytes[SETTINGS_FILE_BYTES];
    encode_settings(bytes);
    std::fread(bytes, 1, sizeof bytes, file);
    const bool read_failed = std::ferror(file) != 0;
    std::fclose(file);
    if (read_failed)
        return -1;

    decode_settings(bytes);
    settings_record[option_1031] = 1;
    return 0;
}

int save_settings_to(const char* path)
{
    std::FILE* file = open_for_writing(path);
    if (file == nullptr)
        return -1;
    return write_record(file);
}

// Appends `text` at out[*used]; false, with nothing appended, when it and
// the terminating zero do not fit in out_size bytes.
static bool append_text(char* out, std::size_t out_size, std::size_t* used, const char* text)
{
    const std::size_t length = std::strlen(text);
    if (*used + length >= out_size)
        return false;
    std::memcpy(out + *used, text, length + 1);
    *used += length;
    return true;
}

// Joins up to three texts (nullptr ends the list early) into out; -1, with
// out empty, when they do not fit.
static int join_texts(char* out, std::size_t out_size, const char* first, const char* second,
                      const char* third)
{
    if (out_size == 0)
        return -1;
    std::size_t used = 0;
    out[0] = '\0';
    const char* const texts[] = {first, second, third};
    for (const char* text : texts) {
        if (text != nullptr && !append_text(out, out_size, &used, text)) {
            out[0] = '\0';
            return -1;
        }
    }
    return 0;
}

int settings_file_path(char* out, std::size_t out_size)
{
    // The directory ends in a backslash already; Windows takes the two
    // backslashes before the name as one.
    return join_texts(out, out_size, program_directory(), "\\", SETTINGS_FILE_NAME);
}

int settings_file_display_path(char* out, std::size_t out_size)
{
    if (program_directory_unknown())
        return join_texts(out, out_size, executable_path(), nullptr, nullptr);
    return join_texts(out, out_size, program_directory(), SETTINGS_FILE_NAME, nullptr);
}

int load_settings()
{
    char path[PATH_BUFFER_SIZE];
    if (settings_file_path(path, sizeof path) != 0)
        return -1;
    return load_settings_from(path);
}

int save_settings()
{
    char path[PATH_BUFFER_SIZE];
    if (settings_file_path(path, sizeof path) != 0)
        return -1;
    return save_settings_to(path);
}
