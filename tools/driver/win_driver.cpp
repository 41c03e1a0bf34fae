// See win_driver.h.
#include "tools/driver/win_driver.h"

Program::~Program()
{
    if (process.hProcess == nullptr)
        return;
    if (running())
        TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
}

bool Program::start(const std::string& exe, const std::string& directory, const std::string& arguments,
                    const wchar_t* environment)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + widen(exe) + L"\"";
    if (!arguments.empty())
        command += L" " + widen(arguments);
    const std::wstring dir = widen(directory);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE,
                        environment != nullptr ? CREATE_UNICODE_ENVIRONMENT : 0,
                        const_cast<wchar_t*>(environment), dir.empty() ? nullptr : dir.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    process.hThread = nullptr;
    return true;
}

int Program::wait_exit(DWORD timeout_ms) const
{
    if (WaitForSingleObject(process.hProcess, timeout_ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

bool Program::running() const
{
    return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::wait_for(const wchar_t* caption, DWORD timeout_ms, DWORD poll_ms) const
{
    return wait_for_dialog(process.dwProcessId, process.hProcess, caption, timeout_ms, poll_ms);
}

int run_and_wait(const std::string& exe, const std::string& arguments, const std::string& directory,
                 DWORD timeout_ms)
{
    Program program;
    if (!program.start(exe, directory, arguments))
        return -1;
    return program.wait_exit(timeout_ms);
}

struct DialogSearch {
    DWORD process_id;
    const wchar_t* caption;
    std::vector<HWND> found;
};

static BOOL CALLBACK collect_dialog(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window) && class_name(window) == DIALOG_CLASS &&
        (search->caption == nullptr || window_text(window) == search->caption))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> process_dialogs(DWORD process_id, const wchar_t* caption)
{
    DialogSearch search = {process_id, caption, {}};
    EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_for_dialog(DWORD process_id, HANDLE process, const wchar_t* caption, DWORD timeout_ms,
                     DWORD poll_ms)
{
    for (DWORD waited = 0; waited < timeout_ms; waited += poll_ms) {
        const std::vector<HWND> found = process_dialogs(process_id, caption);
        if (!found.empty())
            return found.front();
        if (process == nullptr)
            Sleep(poll_ms);
        else if (WaitForSingleObject(process, poll_ms) == WAIT_OBJECT_0)
            break;
    }
    return nullptr;
}

std::wstring window_text(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring class_name(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, sizeof name / sizeof name[0]);
    return name;
}

std::wstring message_text(HWND box)
{
    return window_text(GetDlgItem(box, MESSAGE_TEXT_ID));
}

LRESULT check_state(HWND dialog, int id)
{
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
}

bool press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    DWORD_PTR ignored = 0;
    return button != nullptr &&
           SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool press_without_waiting(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

bool dismiss_box(HWND box)
{
    if (!press(box, IDOK))
        return false;
    for (int i = 0; i < 250 && IsWindow(box); i++)
        Sleep(20);
    return !IsWindow(box);
}

std::wstring widen(const std::string& text)
{
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH * 2);
    return wide;
}

std::string windows_path(const char* path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    return (n > 0 && n < sizeof full) ? std::string(full) : std::string(path);
}

HeldFile::HeldFile(const std::string& path, DWORD access, DWORD share)
    : handle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

HeldFile::~HeldFile()
{
    let_go();
}

void HeldFile::let_go()
{
    if (held())
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

DataFile::DataFile(const char* path)
    : handle(LoadLibraryExA(windows_path(path).c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
{
}

DataFile::~DataFile()
{
    if (handle != nullptr)
        FreeLibrary(handle);
}

std::vector<BYTE> DataFile::resource(LPCWSTR type, LPCWSTR name, WORD language) const
{
    HRSRC found = FindResourceExW(handle, type, name, language);
    if (found == nullptr)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(handle, found)));
    return std::vector<BYTE>(data, data + SizeofResource(handle, found));
}
