// Starting Windows programs from a test, and waiting for them.
#pragma once

#include <string>

#include "startup/win32_api.h"

// Runs `command_line` in `directory` and waits; the exit code, or -1 when
// it could not be started or did not end within timeout_ms.
inline int run_and_wait(const std::string& command_line, const std::string& directory,
                        DWORD timeout_ms = 30000)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = command_line;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeout_ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// The full Windows form of a path CMake gave as a Unix path.
inline std::string windows_path(const char* path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    return (n > 0 && n < sizeof full) ? std::string(full) : std::string(path);
}

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
