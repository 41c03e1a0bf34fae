// Operating-system gate: refuses Windows 95 and Windows NT 3.51 and 4.0
// before the settings file is touched.
#include "startup/message.h"
#include "startup/os_classify.h"
#include "startup/startup.h"
#include "startup/texts.h"

// The running Windows' version; false when GetVersionExA fails.
static bool query_version(OSVERSIONINFOA* version)
{
    *version = {};
    version->dwOSVersionInfoSize = sizeof *version;
    return GetVersionExA(version) != 0;
}

int identify_os()
{
    OSVERSIONINFOA version;
    if (!query_version(&version))
        return OS_CODE_VERSION_FAILED;
    return os_code_from_build(version.dwBuildNumber);
}

int pass_os_gate()
{
    if (!os_gate_refuses(identify_os()))
        return 0;
    show_message(nullptr, TEXT_OLD_WINDOWS, TEXT_ERROR_CAPTION);
    return -1;
}

int windows_95_family()
{
    OSVERSIONINFOA version;
    return query_version(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}
