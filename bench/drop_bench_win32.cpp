// A drop of 20 files onto an empty tab of the real program (read from the data object, probed,
// saved, reloaded and shown with icons and captions) against loading the same 20 items from the
// list file into the same window, in the same run, each until its last icon is drawn; also the
// save alone, which the drop includes and the load does not.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/drop/drop_target_win32.h"
#include "app/program/program_win32.h"
#include "bench/median.h"
#include "platform/byte_data_object_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"

namespace {

using vantry::bench::Median;

using namespace vantry;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 30;

// Until the last icon look-up has answered and been drawn, which the drop and the load both wait
// for.
void PumpUntilIconsShown(Program& program) {
    PumpPendingMessages();
    while (program.Icons().Pending() > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        PumpPendingMessages();
    }
}

template <typename F>
double Microseconds(F&& step) {
    auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

int main() {
    OleSession ole;
    if (!ole.Initialized()) return 1;
    test::TempFolder programFolder;
    test::TempFolder itemFolder;
    std::vector<std::string> paths;
    for (int i = 0; i < kSlotCount; ++i) {
        paths.push_back(itemFolder.File("Document number " + std::to_string(i) + ".txt"));
        test::WriteBytes(paths.back(), "x");
    }
    std::string block = FileListBlock(paths);

    Win32ProgramFolder folder(programFolder.Path());
    test::RecordingDialogs dialogs;
    Program program(folder, dialogs);
    program.Start();
    program.ShowDropWindow();
    PumpPendingMessages();
    ListModel& model = program.Small().Logic().Model();
    IDropTarget* target = program.DropForm()->Registration()->Target();

    std::vector<double> drops;
    std::vector<double> loads;
    std::vector<double> saves;
    for (int round = 0; round < kRounds; ++round) {
        // Emptied by the program itself: a file deleted behind its back would count as every item
        // removed elsewhere, and the merge would keep them removed from the drop's save too.
        model.ResetDWM();
        model.SaveListFile();
        auto* data = new ByteDataObject({{CF_HDROP, block}});
        DWORD effect = DROPEFFECT_COPY;
        PumpPendingMessages();
        drops.push_back(Microseconds([&] {
            target->Drop(data, MK_LBUTTON, {0, 0}, &effect);
            PumpUntilIconsShown(program);
        }));
        data->Release();
        if (effect != DROPEFFECT_COPY || model.Path(kSlotCount - 1) != paths.back()) {
            std::printf("the drop did not add the 20 items\n");
            return 1;
        }
        loads.push_back(Microseconds([&] {
            model.ResetDWM();
            model.LoadListfile();
            PumpUntilIconsShown(program);
        }));
        if (model.Path(kSlotCount - 1) != paths.back()) {
            std::printf("the load did not show the 20 items\n");
            return 1;
        }
        saves.push_back(Microseconds([&] { model.SaveListFile(); }));
    }
    double drop = Median(drops);
    double load = Median(loads);
    std::printf("drop of 20 files onto an empty tab: %.1f us (median of %d)\n", drop, kRounds);
    std::printf("load of the same 20 items:          %.1f us (median of %d)\n", load, kRounds);
    std::printf("ratio drop/load: %.2f (target <= 2)\n", drop / load);
    // The drop has to write the list file, durably (flushed before the rename); the load does
    // not. This shows how much of the drop is that write.
    double save = Median(saves);
    std::printf("save of the 20 items:               %.1f us (median of %d)\n", save, kRounds);
    std::printf("ratio drop/(save + load): %.2f\n", drop / (save + load));
    std::printf("result drop_us %.1f\nresult load_us %.1f\nresult save_us %.1f\n", drop, load,
                save);
    return 0;
}
