// Fuzzes the build-number classification: only the low 16 bits count, and
// a refused code is always one of the old systems'.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "startup/os_classify.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t field = 0;
    std::memcpy(&field, data, size < sizeof field ? size : sizeof field);
    const int code = os_code_from_build(field);
    if (code != os_code_from_build(field & 0xFFFFu))
        std::abort();
    const unsigned build = field & 0xFFFFu;
    const bool old = build == 950 || build == 1111 || build == 1212 || build == 1214 ||
                     build == 1057 || build == 1381;
    if (os_gate_refuses(code) != (old ? 1 : 0))
        std::abort();
    return 0;
}
