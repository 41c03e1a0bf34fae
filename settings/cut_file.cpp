// See cut_file.h.  The C runtime's own call on Windows (msvcrt has _chsize
// on every release the tool runs on), POSIX's elsewhere.
#include "settings/cut_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

int cut_file(std::FILE* file, long size)
{
    if (std::fflush(file) != 0)
        return -1;
#ifdef _WIN32
    return _chsize(_fileno(file), size) == 0 ? 0 : -1;
#else
    return ftruncate(fileno(file), size) == 0 ? 0 : -1;
#endif
}
