// Test probe: exits with the ANSI code page it runs under, so a test can
// prove that the environment it hands a child really changes it.
#include "startup/win32_api.h"

int main()
{
    return static_cast<int>(GetACP());
}
