#include "tests/win32/support/handle_slots.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vantry::test {

namespace {

// Growth at the table's end makes each probe a new highest slot; freed slots, popped last freed
// first, do not keep that up for long. Other threads' objects, made or freed meanwhile, only
// break a run, which then starts again.
constexpr int kGrowthRun = 256;
// Both tables hold at most about 32,000 slots (16-bit handles): past that the table is full.
constexpr std::size_t kMaxProbes = 40000;

// step: how far apart two neighbouring slots' handles are.
template <typename Make, typename Free>
long SlotsInUse(long step, Make make, Free free) {
    std::vector<HANDLE> probes;
    long highest = 0;
    int run = 0;
    while (run < kGrowthRun && probes.size() < kMaxProbes) {
        HANDLE probe = make();
        if (!probe) break;
        probes.push_back(probe);
        long slot = static_cast<long>(reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF);
        run = slot > highest ? run + 1 : 0;
        if (slot > highest) highest = slot;
    }
    for (HANDLE probe : probes) free(probe);
    return highest / step - static_cast<long>(probes.size());
}

}  // namespace

long GdiSlotsInUse() {
    return SlotsInUse(
        1, [] { return static_cast<HANDLE>(CreateSolidBrush(0)); },
        [](HANDLE probe) { DeleteObject(static_cast<HBRUSH>(probe)); });
}

long UserSlotsInUse() {
    static const BYTE andMask[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    static const BYTE xorMask[4] = {};
    return SlotsInUse(
        2, [] { return static_cast<HANDLE>(CreateIcon(nullptr, 1, 1, 1, 1, andMask, xorMask)); },
        [](HANDLE probe) { DestroyIcon(static_cast<HICON>(probe)); });
}

}  // namespace vantry::test
