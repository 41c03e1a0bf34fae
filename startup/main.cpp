// Entry point: keeps a second copy out, runs the start-up stages, cleans up.
// The exit code is always 0.
#include "startup/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Another copy holds the name: end at once, silently.  The failed
    // attempt's handle is already closed, so there is nothing to release.
    if (create_instance_mutex(0, INSTANCE_MUTEX_NAME) != 0)
        return 0;
    set_instance_handle(instance);
    run_configurator();
    release_instance_mutexes(1);
    return 0;
}
