// The save path on Windows as the program runs it (the folder's save turn, the temporary write,
// its flush, the rename over the list file, the sweep) against the least a safe replace needs:
// CreateFileW of a new file, WriteFile, FlushFileBuffers and MoveFileExW over the target.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/median.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/win32/support/temp_folder.h"

namespace {

using vantry::bench::Median;

using namespace vantry;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 200;

// A full tab: 20 paths of about 60 characters; round changes one so that every save writes.
std::string FullTab(int round) {
    std::string content;
    for (int i = 0; i < 20; ++i) {
        content += "C:\\Users\\someone\\Documents\\Projects\\Report number " +
                   std::to_string(i == 0 ? round : i) + ".txt\r\n";
    }
    return content;
}

bool FloorSave(const std::wstring& folder, const std::string& bytes) {
    const std::wstring target = folder + L"\\VantryList0.txt";
    const std::wstring temporary = folder + L"\\VantryList0.tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    return ok && MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

int main() {
    test::TempFolder ours;
    test::TempFolder floor;
    Win32ProgramFolder folder(ours.Path());
    const std::wstring floorFolder = Widen(floor.Path());
    std::vector<double> oursUs, floorUs;
    for (int round = 0; round < kRounds; ++round) {
        const std::string content = FullTab(round);
        // Alternated, so that a slower moment of the machine falls on both.
        auto start = Clock::now();
        TurnRefusal refused;
        auto turn = folder.TakeSaveTurn(refused);
        if (!turn || !folder.Replace("VantryList0.txt", content).ok) {
            std::fprintf(stderr, "save failed: %s\n", refused.reason.c_str());
            return 1;
        }
        turn.reset();
        oursUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        start = Clock::now();
        if (!FloorSave(floorFolder, content)) {
            std::fprintf(stderr, "floor save failed: %lu\n", GetLastError());
            return 1;
        }
        floorUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("result save_ours_us %.1f\n", Median(oursUs));
    std::printf("result save_floor_us %.1f\n", Median(floorUs));
    return 0;
}
