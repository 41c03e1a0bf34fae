// Build number classification and the gate's decision, over the whole table.
#include <gtest/gtest.h>

#include "startup/os_classify.h"

struct BuildCase {
    unsigned long build_field;
    int want_code;
    int want_refused;
};

TEST(OsClassify, WholeTable)
{
    const BuildCase cases[] = {
        {950, 1, 1},   {1111, 2, 1},  {1212, 3, 1},  {1214, 4, 1},
        {1057, 12, 1}, {1381, 13, 1},
        {1998, 20, 0}, {2222, 21, 0}, {3000, 30, 0}, {2195, 40, 0},
        {2211, 45, 0}, {2223, 45, 0}, {2239, 45, 0}, {2247, 45, 0}, {2250, 45, 0}, {2257, 45, 0},
        {2600, 50, 0}, {3790, 60, 0},
        // Not in the table: every later release among them.
        {0, 255, 0}, {1, 255, 0}, {951, 255, 0}, {2601, 255, 0}, {7601, 255, 0},
        {19045, 255, 0}, {22631, 255, 0}, {65535, 255, 0},
        // Windows 95 family: major and minor version in the high half.
        {0x040003B6, 1, 1},     // 4.0.950
        {0x04000457, 2, 1},     // 4.0.1111
        {0x040A07CE, 20, 0},    // 4.10.1998
        {0x045A0BB8, 30, 0},    // 4.90.3000
        {0x00010565, 13, 1},    // high bits never count
    };
    for (const BuildCase& test : cases) {
        const int code = os_code_from_build(test.build_field);
        EXPECT_EQ(code, test.want_code) << "dwBuildNumber 0x" << std::hex << test.build_field;
        EXPECT_EQ(os_gate_refuses(code), test.want_refused) << "dwBuildNumber 0x" << std::hex << test.build_field;
    }
}

TEST(OsGate, RefusesCodesOneToNineteenByTheirLowByte)
{
    struct GateCase {
        int code;
        int want_refused;
    };
    const GateCase cases[] = {
        {OS_CODE_VERSION_FAILED, 0},  // -1 becomes 255
        {0, 0}, {1, 1}, {19, 1}, {20, 0}, {255, 0},
        {256 + 5, 1}, {-256 + 13, 1}, {-255, 1}, {512, 0},
    };
    for (const GateCase& test : cases)
        EXPECT_EQ(os_gate_refuses(test.code), test.want_refused) << "code " << test.code;
}

// Every low 16-bit build number, under high halves that the 95 family and
// NT put there: the code is the table's (255 off it), the high half never
// counts, and only the six old builds are refused.
TEST(OsClassify, EveryBuildNumberAgainstTheTable)
{
    struct Known {
        unsigned build;
        int code;
    };
    const Known table[] = {
        {950, 1}, {1111, 2}, {1212, 3}, {1214, 4}, {1057, 12}, {1381, 13}, {1998, 20}, {2222, 21},
        {3000, 30}, {2195, 40}, {2211, 45}, {2223, 45}, {2239, 45}, {2247, 45}, {2250, 45}, {2257, 45},
        {2600, 50}, {3790, 60},
    };
    const unsigned long high_halves[] = {0, 0x04000000, 0x040A0000, 0x045A0000, 0xFFFF0000};
    int mismatches = 0;
    for (unsigned build = 0; build <= 0xFFFF; build++) {
        int want = OS_CODE_UNKNOWN;
        for (const Known& known : table) {
            if (known.build == build)
                want = known.code;
        }
        const int want_refused = (want >= 1 && want <= 19) ? 1 : 0;
        for (unsigned long high : high_halves) {
            const int code = os_code_from_build(high | build);
            if ((code != want || os_gate_refuses(code) != want_refused) && ++mismatches <= 10) {
                ADD_FAILURE() << "dwBuildNumber 0x" << std::hex << (high | build) << std::dec << ": got code "
                              << code << ", want " << want;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}
