// Shift-JIS aware string helpers: see sjis.h.
#include "settings/sjis.h"

#include <cstddef>

#define SJIS_ROW_16(v) v, v, v, v, v, v, v, v, v, v, v, v, v, v, v, v

const unsigned char sjis_lead_byte[256] = {
    SJIS_ROW_16(0), SJIS_ROW_16(0), SJIS_ROW_16(0), SJIS_ROW_16(0),  // 0x00-0x3F
    SJIS_ROW_16(0), SJIS_ROW_16(0), SJIS_ROW_16(0), SJIS_ROW_16(0),  // 0x40-0x7F
    0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,                  // 0x80-0x8F
    SJIS_ROW_16(1),                                                  // 0x90-0x9F
    SJIS_ROW_16(0), SJIS_ROW_16(0), SJIS_ROW_16(0),                  // 0xA0-0xCF
    SJIS_ROW_16(0),                                                  // 0xD0-0xDF
    SJIS_ROW_16(1),                                                  // 0xE0-0xEF
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,                  // 0xF0-0xFF
};

#undef SJIS_ROW_16

// Width of the character at s[0]: 2 for a lead byte followed by something,
// 1 otherwise.  A lead byte right before the terminating zero counts as one
// byte so that no scan steps past the end of the string.
static std::size_t char_width(const char* s)
{
    if (sjis_lead_byte[static_cast<unsigned char>(s[0])] && s[1] != '\0')
        return 2;
    return 1;
}

// 1 when s[0] is a lead byte with nothing after it: the half of a character
// that ends a scan without being looked at.
static int is_cut_lead_byte(const char* s)
{
    return sjis_lead_byte[static_cast<unsigned char>(s[0])] && s[1] == '\0';
}

int sjis_ends_with_char(const char* s, char c)
{
    std::size_t n = 0;
    while (s[n] != '\0')
        n++;
    if (n == 0)
        return 0;
    // Position 0 is never compared, so a one-byte string gives 0.
    for (std::size_t pos = char_width(s); pos < n; pos += char_width(s + pos)) {
        if (pos == n - 1 && s[pos] == c)
            return 1;
    }
    return 0;
}

void sjis_replace_char(char* s, char from, char to)
{
    for (std::size_t pos = 0; s[pos] != '\0' && !is_cut_lead_byte(s + pos); ) {
        std::size_t width = char_width(s + pos);
        if (width == 1 && s[pos] == from)
            s[pos] = to;
        pos += width;
    }
}

void sjis_lower_ascii(char* s)
{
    for (std::size_t pos = 0; s[pos] != '\0' && !is_cut_lead_byte(s + pos); ) {
        std::size_t width = char_width(s + pos);
        if (width == 1 && s[pos] >= 'A' && s[pos] <= 'Z')
            s[pos] = static_cast<char>(s[pos] + 0x20);
        pos += width;
    }
}
