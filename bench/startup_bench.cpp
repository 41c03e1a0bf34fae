// Start-up benchmark: time from process start to the settings dialog being
// visible, and peak memory, for the tool and for the bare baselines, in
// alternating runs.  Prints medians and ratios; asserts nothing.
//
//   startup_bench <rounds> <folder> <nkcfg.exe> <bare.exe> <bare-without-states.exe>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tools/driver/win_driver.h"
// After windows.h, which it needs.
#include <psapi.h>

struct Sample {
    double milliseconds;
    double peak_kib;
};

static bool run_once(const char* exe, const char* folder, Sample* sample)
{
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    Program program;
    if (!program.start(exe, folder))
        return false;
    HWND dialog = program.wait_for(SETTINGS_TITLE, 20000, 1);
    QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(program.process.hProcess, &memory, sizeof memory);
    if (dialog != nullptr)
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    program.wait_exit(10000);
    sample->milliseconds = 1000.0 * (end.QuadPart - begin.QuadPart) / frequency.QuadPart;
    sample->peak_kib = memory.PeakWorkingSetSize / 1024.0;
    return dialog != nullptr;
}

static double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: startup_bench <rounds> <folder> <nkcfg.exe> <bare.exe> <bare-plain.exe>\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const char* folder = argv[2];
    const char* programs[3] = {argv[3], argv[4], argv[5]};
    std::vector<double> times[3], peaks[3], ratio_bare, ratio_plain;
    Sample warm;
    for (const char* program : programs)
        run_once(program, folder, &warm);  // page in every executable once
    for (int round = 0; round < rounds; round++) {
        Sample samples[3];
        for (int i = 0; i < 3; i++) {
            const int which = (round % 2 == 0) ? i : 2 - i;  // alternate the order
            if (!run_once(programs[which], folder, &samples[which])) {
                std::fprintf(stderr, "no dialog from %s\n", programs[which]);
                return 1;
            }
        }
        for (int i = 0; i < 3; i++) {
            times[i].push_back(samples[i].milliseconds);
            peaks[i].push_back(samples[i].peak_kib);
        }
        ratio_bare.push_back(samples[0].milliseconds / samples[1].milliseconds);
        ratio_plain.push_back(samples[0].milliseconds / samples[2].milliseconds);
    }
    std::printf("| program | median start-up to visible dialog (ms) | median peak working set (KiB) |\n");
    std::printf("|---|---|---|\n");
    const char* names[3] = {"nkcfg.exe", "bare dialog with check states", "bare dialog without check states"};
    for (int i = 0; i < 3; i++)
        std::printf("| %s | %.1f | %.0f |\n", names[i], median(times[i]), median(peaks[i]));
    std::printf("\n");
    std::printf("| ratio (%d alternating runs) | median |\n|---|---|\n", rounds);
    std::printf("| start-up: tool / bare dialog with check states (goal <= 1.05) | %.3f |\n", median(ratio_bare));
    std::printf("| start-up: tool / bare dialog without check states | %.3f |\n", median(ratio_plain));
    std::printf("| peak memory: tool / bare dialog with check states | %.3f |\n",
                median(peaks[0]) / median(peaks[1]));
    return 0;
}
