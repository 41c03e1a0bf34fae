// Fuzzes the three Shift-JIS helpers on arbitrary zero-terminated bytes and
// checks what they promise: no change to double-byte characters, no change
// of length, and lower-casing that is idempotent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/sjis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char c = static_cast<char>(data[0]);
    char text[512];
    const std::size_t length = size - 1 < sizeof text - 1 ? size - 1 : sizeof text - 1;
    std::memcpy(text, data + 1, length);
    text[length] = '\0';
    const std::size_t n = std::strlen(text);

    const int ends = sjis_ends_with_char(text, c);
    if (ends && (n < 2 || text[n - 1] != c))
        std::abort();

    char replaced[512];
    std::memcpy(replaced, text, n + 1);
    sjis_replace_char(replaced, '/', '\\');
    bool any_lead = false;
    for (std::size_t i = 0; i < n; i++) {
        any_lead = any_lead || sjis_lead_byte[static_cast<unsigned char>(text[i])];
        if (replaced[i] != text[i] && !(text[i] == '/' && replaced[i] == '\\'))
            std::abort();
    }
    // In text without double-byte characters every slash goes.  (A lead
    // byte takes whatever byte follows it, even a slash, which valid
    // Shift-JIS never has as a trail byte.)
    if (std::strlen(replaced) != n || (!any_lead && std::memchr(replaced, '/', n) != nullptr))
        std::abort();

    char lowered[512];
    std::memcpy(lowered, text, n + 1);
    sjis_lower_ascii(lowered);
    char twice[512];
    std::memcpy(twice, lowered, n + 1);
    sjis_lower_ascii(twice);
    if (std::strlen(lowered) != n || std::memcmp(lowered, twice, n) != 0)
        std::abort();
    for (std::size_t i = 0; i < n; i++) {
        if (lowered[i] != text[i] && lowered[i] != text[i] + 0x20)
            std::abort();
    }
    return 0;
}
