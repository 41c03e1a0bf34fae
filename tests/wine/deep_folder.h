// Folders nested until a path has a given length: the long-path cases.
#pragma once

#include <string>

#include "startup/win32_api.h"

// Creates nested folders under `base` until the folder's path, with one
// trailing backslash, is `dir_length` bytes long; returns it without the
// backslash, or an empty string on failure.
inline std::string make_deep_folder(const std::string& base, std::size_t dir_length)
{
    std::string folder = base;
    while (folder.size() + 1 < dir_length) {
        const std::size_t room = dir_length - folder.size() - 2;  // the '\\' before and after
        if (room == 0)
            return std::string();
        folder += "\\" + std::string(room < 60 ? room : 60, 'd');
        if (!CreateDirectoryA(folder.c_str(), nullptr))
            return std::string();
    }
    return folder.size() + 1 == dir_length ? folder : std::string();
}
