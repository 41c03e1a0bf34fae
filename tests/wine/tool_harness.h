// Driving the real nkcfg.exe from a test process, as a player would: start
// it in a scratch folder, find its windows by class and caption, press
// buttons, read texts, wait for its exit.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scratch.h"
#include "win_process.h"
#include "window_driver.h"

// A running copy of the tool.
struct Tool {
    PROCESS_INFORMATION process = {};

    Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;
    ~Tool()
    {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
            CloseHandle(process.hProcess);
        }
    }

    // Starts exe_path with `directory` as its current directory and, when
    // environment is given, that environment block.
    bool start(const std::string& exe_path, const std::string& directory,
               const wchar_t* environment = nullptr)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + widen(exe_path) + L"\"";
        const std::wstring dir = widen(directory);
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE,
                            environment != nullptr ? CREATE_UNICODE_ENVIRONMENT : 0,
                            const_cast<wchar_t*>(environment), dir.c_str(), &startup, &process))
            return false;
        CloseHandle(process.hThread);
        process.hThread = nullptr;
        return true;
    }

    // Waits for a visible dialog window of the tool with `title`.
    HWND wait_for(const wchar_t* title, DWORD timeout_ms = 15000) const
    {
        for (DWORD waited = 0; waited < timeout_ms; waited += 20) {
            std::vector<HWND> found = process_dialogs(process.dwProcessId, title);
            if (!found.empty())
                return found.front();
            if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0)
                break;
        }
        return nullptr;
    }

    // The exit code, or -1 when the tool is still running after timeout_ms.
    int wait_exit(DWORD timeout_ms = 15000) const
    {
        if (WaitForSingleObject(process.hProcess, timeout_ms) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return static_cast<int>(code);
    }

    bool running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }

    static std::wstring widen(const std::string& text)
    {
        wchar_t wide[MAX_PATH * 2] = {};
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH * 2);
        return wide;
    }
};

// A scratch folder holding a fresh copy of the built tool, started from
// another current directory.
struct ToolFolder {
    ScratchFolder scratch;
    std::string folder;   // Windows path of the folder holding nkcfg.exe
    std::string exe;
    std::string settings;
    std::string elsewhere;  // the current directory the tool is started in

    ToolFolder()
    {
        const std::string base = windows_path(scratch.path().string().c_str());
        folder = base + "\\Game";
        elsewhere = base + "\\elsewhere";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA(elsewhere.c_str(), nullptr);
        exe = folder + "\\nkcfg.exe";
        settings = folder + "\\nkcfg.dat";
        CopyFileA(windows_path(NKCFG_EXE).c_str(), exe.c_str(), FALSE);
    }

    bool start(Tool& tool, const wchar_t* environment = nullptr) const
    {
        return tool.start(exe, elsewhere, environment);
    }
};

// Sets Wine's reported Windows version for every nkcfg.exe, and takes the
// setting away again when it goes out of scope.
struct EmulatedWindows {
    explicit EmulatedWindows(const char* version)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\nkcfg.exe", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
        RegCloseKey(key);
    }
    ~EmulatedWindows()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\nkcfg.exe");
    }
    EmulatedWindows(const EmulatedWindows&) = delete;
    EmulatedWindows& operator=(const EmulatedWindows&) = delete;
};

inline bool file_exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
