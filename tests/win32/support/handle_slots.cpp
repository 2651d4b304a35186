#include "tests/win32/support/handle_slots.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vantry::test {

namespace {

// Growth at the table's end is one step a probe and each probe a new highest slot; freed slots,
// popped last freed first, do not keep that up for long.
constexpr int kGrowthRun = 512;
// Far above any freed-slot list a test run leaves, and well inside the tables' 16-bit slots.
constexpr std::size_t kMaxProbes = 16384;

template <typename Make, typename Free>
long SlotsInUse(Make make, Free free) {
    std::vector<HANDLE> probes;
    long highest = 0, previous = 0, step = 0;
    int run = 0;
    while (run < kGrowthRun && probes.size() < kMaxProbes) {
        HANDLE probe = make();
        if (!probe) break;
        probes.push_back(probe);
        long slot = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF);
        long stepNow = slot - previous;
        if (slot > highest && stepNow > 0 && stepNow == step) {
            ++run;
        } else {
            run = 0;
            step = stepNow;
        }
        if (slot > highest) highest = slot;
        previous = slot;
    }
    for (HANDLE probe : probes) free(probe);
    if (step <= 0) step = 1;
    return highest / step - static_cast<long>(probes.size());
}

}  // namespace

long GdiSlotsInUse() {
    return SlotsInUse([] { return static_cast<HANDLE>(CreateSolidBrush(0)); },
                      [](HANDLE probe) { DeleteObject(static_cast<HBRUSH>(probe)); });
}

long UserSlotsInUse() {
    static const BYTE andMask[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    static const BYTE xorMask[4] = {};
    return SlotsInUse(
        [] { return static_cast<HANDLE>(CreateIcon(nullptr, 1, 1, 1, 1, andMask, xorMask)); },
        [](HANDLE probe) { DestroyIcon(static_cast<HICON>(probe)); });
}

}  // namespace vantry::test
