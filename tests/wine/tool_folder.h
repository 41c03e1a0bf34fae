// A scratch folder holding a fresh copy of the tool, the Windows release
// Wine reports to it, and the folder shapes the tests need.
#pragma once

#include <cstring>
#include <string>

#include "scratch.h"
#include "tools/driver/win_driver.h"

// `text` with its letters lower-cased, as the tool lowers its folder.
inline std::wstring lower(std::wstring text)
{
    CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// A scratch folder with the tool copied into Game\, started from another
// current directory, elsewhere\.
struct ToolFolder {
    ScratchFolder scratch;
    std::string folder;     // Windows path of the folder holding nkcfg.exe
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

    bool start(Program& tool, const wchar_t* environment = nullptr) const
    {
        return tool.start(exe, elsewhere, "", environment);
    }

    // The settings file's path as the tool shows it to the player: its
    // folder lower-cased, one backslash before the name.
    std::wstring settings_as_shown() const { return lower(widen(folder)) + L"\\nkcfg.dat"; }

    // Another copy of the tool, as `name` in `other_folder`, started from
    // elsewhere\ too.
    bool start_copy(Program& tool, const std::string& other_folder, const char* name) const
    {
        const std::string copy = other_folder + "\\" + name;
        return CopyFileA(exe.c_str(), copy.c_str(), FALSE) && tool.start(copy, elsewhere);
    }
};

// Sets the Windows release that Wine reports to every nkcfg.exe, and takes
// the setting away again when it goes out of scope.  (A test that crashes
// leaves it behind; every Wine session deletes it before the tests run.)
struct EmulatedWindows {
    explicit EmulatedWindows(const char* version)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\nkcfg.exe", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(std::strlen(version) + 1));
        RegCloseKey(key);
    }
    ~EmulatedWindows() { RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\nkcfg.exe"); }
    EmulatedWindows(const EmulatedWindows&) = delete;
    EmulatedWindows& operator=(const EmulatedWindows&) = delete;
};

inline bool file_exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
