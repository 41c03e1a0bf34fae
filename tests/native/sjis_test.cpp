// Shift-JIS helpers: tables of byte strings, each failure shows got and want.
#include <gtest/gtest.h>

#include <string>

#include "settings/sjis.h"

TEST(SjisLeadByteTable, MarksExactlyTheShiftJisLeadRanges)
{
    for (int byte = 0; byte < 256; byte++) {
        const int want = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(sjis_lead_byte[byte], want) << "byte 0x" << std::hex << byte;
    }
}

struct EndsWithCase {
    const char* text;
    char c;
    int want;
};

TEST(SjisEndsWithChar, StepsOverDoubleByteCharacters)
{
    const EndsWithCase cases[] = {
        {"", '\\', 0},
        {"\\", '\\', 0},                  // a one-byte string is never compared
        {"a\\", '\\', 1},
        {"\\\\", '\\', 1},
        {"ab", '\\', 0},
        {"\x95\x5C", '\\', 0},            // 表: the 0x5C is a trail byte
        {"a\x95\x5C", '\\', 0},
        {"\x95\x5C\\", '\\', 1},          // 表 then a real backslash
        {"\x95\x5C\x95\x5C", '\\', 0},
        {"a\x95", '\x95', 1},             // a lead byte before the zero is its own character
        {"\x95", '\x95', 0},
        {"ab\x81", '\\', 0},
        {"\xB1\\", '\\', 1},              // half-width katakana is one byte
        {"\xFD\\", '\\', 1},              // 0xFD is no lead byte
        {"c:\\games\\", '\\', 1},
        {"c:\\games/", '/', 1},
        {"c:\\games", 's', 1},
    };
    for (const EndsWithCase& test : cases) {
        EXPECT_EQ(sjis_ends_with_char(test.text, test.c), test.want)
            << "text \"" << test.text << "\" char 0x" << std::hex
            << (static_cast<unsigned>(test.c) & 0xFF);
    }
}

struct RewriteCase {
    const char* text;
    const char* want;
};

TEST(SjisReplaceChar, TurnsSlashesIntoBackslashesOnlyAsCharacters)
{
    const RewriteCase cases[] = {
        {"", ""},
        {"/", "\\"},
        {"c:/a/b/", "c:\\a\\b\\"},
        {"\x95/", "\x95/"},                    // a lead byte takes the byte after it
        {"a\x95/b/", "a\x95/b\\"},
        {"\x95\x5C/", "\x95\x5C\\"},
        {"//server/share", "\\\\server\\share"},
        {"\x81", "\x81"},                      // lone lead byte before the zero
    };
    for (const RewriteCase& test : cases) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%s", test.text);
        sjis_replace_char(buffer, '/', '\\');
        EXPECT_EQ(std::string(buffer), std::string(test.want)) << "input \"" << test.text << "\"";
    }
}

TEST(SjisReplaceChar, ReplacesAnyByteGiven)
{
    char buffer[] = "a\x95" "aa\x82" "a";
    sjis_replace_char(buffer, 'a', 'b');
    EXPECT_EQ(std::string(buffer), std::string("b\x95" "ab\x82" "a"));
}

// A lead byte right before the zero ends the scan unread, so it is never
// replaced, even when it is the very byte asked for.
TEST(SjisReplaceChar, LeadByteBeforeTheZeroIsNeverCompared)
{
    struct LeadCase {
        const char* text;
        char from;
        const char* want;
    };
    const LeadCase cases[] = {
        {"\x81", '\x81', "\x81"},
        {"a\x81", '\x81', "a\x81"},
        {"\x81\x81\x81", '\x81', "\x81\x81\x81"},  // a character, then the cut half
        {"\xFC", '\xFC', "\xFC"},
        {"\xFD", '\xFD', "x"},                   // 0xFD is no lead byte
        {"\xA0", '\xA0', "x"},
    };
    for (const LeadCase& test : cases) {
        char buffer[16];
        snprintf(buffer, sizeof buffer, "%s", test.text);
        sjis_replace_char(buffer, test.from, 'x');
        EXPECT_EQ(std::string(buffer), std::string(test.want))
            << "replacing byte " << (static_cast<unsigned>(test.from) & 0xFF);
    }
}

TEST(SjisLowerAscii, LowersOnlySingleByteLetters)
{
    const RewriteCase cases[] = {
        {"", ""},
        {"C:\\GAMES\\Title\\", "c:\\games\\title\\"},
        {"AZ@[az", "az@[az"},                      // 0x40 and 0x5B are no letters
        {"\x82\x60\x82\x79", "\x82\x60\x82\x79"},  // full-width Ａ and Ｚ
        {"\x95\x5C" "DIR", "\x95\x5C" "dir"},
        {"\x83\x41\x83Z", "\x83\x41\x83Z"},        // trail bytes 0x41 and 0x5A stay
        {"\xB1\xB2" "A", "\xB1\xB2" "a"},          // half-width katakana stays
        {"A\x81", "a\x81"},
        {"\xFD" "A", "\xFD" "a"},
    };
    for (const RewriteCase& test : cases) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%s", test.text);
        sjis_lower_ascii(buffer);
        EXPECT_EQ(std::string(buffer), std::string(test.want)) << "input \"" << test.text << "\"";
    }
}
