// Cutting an open file to a length: the one file operation the tool needs
// that C's streams lack.  Kept apart so settings.cpp stays free of any
// platform's headers.
#pragma once

#include <cstdio>

// Flushes `file` and cuts it to `size` bytes; 0, or -1 when either fails.
int cut_file(std::FILE* file, long size);
