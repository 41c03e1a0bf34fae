// Shift-JIS aware string helpers.
//
// Paths are byte strings in code page 932, where the second byte of a
// double-byte character may equal '\\' (0x5C) or an ASCII letter.  These
// helpers step over double-byte characters whole, using a fixed lead-byte
// table that does not follow the system's code page.  No Windows here.
#pragma once

// 1 for the lead bytes 0x81-0x9F and 0xE0-0xFC, 0 for every other byte.
extern const unsigned char sjis_lead_byte[256];

// 1 when s is at least two bytes long and its last byte is a character of
// its own (not the trail byte of a double-byte character) equal to c.
int sjis_ends_with_char(const char* s, char c);

// Replaces every single-byte character equal to `from` by `to`, in place.
void sjis_replace_char(char* s, char from, char to);

// Lower-cases the single-byte ASCII letters A-Z, in place; double-byte
// characters (full-width letters among them) and half-width katakana stay.
void sjis_lower_ascii(char* s);
