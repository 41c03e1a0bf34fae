// Single-instance guard: a named mutex that another copy can see.  The tool
// never waits on it and never owns it; it is only a marker.
#include "startup/startup.h"

static HANDLE instance_mutexes[2];

int create_instance_mutex(int slot, const char* name)
{
    if (slot != 0 && slot != 1)
        return -1;
    instance_mutexes[slot] = CreateMutexA(nullptr, FALSE, name);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instance_mutexes[slot]);
        return -1;
    }
    // A null handle (creation failed for another reason) runs unguarded.
    return 0;
}

int release_instance_mutexes(signed char last_slot)
{
    if (last_slot != 0 && last_slot != 1)
        return -1;
    for (int slot = 0; slot <= last_slot; slot++) {
        if (instance_mutexes[slot] != nullptr) {
            ReleaseMutex(instance_mutexes[slot]);
            CloseHandle(instance_mutexes[slot]);
        }
    }
    return 0;
}
