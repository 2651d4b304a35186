// Loading and saving a full tab of 20 items, against the floor: the same bytes read and written
// with plain C stdio in the same run. Also DisplayName of a 60-character path.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "app/list/list_model.h"
#include "store/item_files.h"
#include "store/path_helpers.h"
#include "store/program_folder_posix.h"
#include "tests/native/support/fakes.h"

namespace {

using namespace vantry;

std::filesystem::path BenchFolder() {
    static std::filesystem::path dir = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("vantry-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

std::string FullTab() {
    std::string content;
    for (int i = 0; i < kSlotCount; ++i) {
        content += "C:\\Users\\someone\\Documents\\Projects\\item number " + std::to_string(i) +
                   ".docx\r\n";
    }
    return content;
}

void LoadAndSaveFullTab(benchmark::State& state) {
    PosixProgramFolder folder(BenchFolder().string());
    folder.Replace("VantryList0.txt", FullTab());
    test::RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    test::RecordingListView view;
    ListModel model(files, view);
    // The everyday case: the file holds what this program last saved. A move makes every save a
    // write (a file that already holds what a save would write is left alone); a file changed
    // elsewhere would be read again 50 ms later, to tell a write under way.
    for (auto _ : state) {
        model.ResetDWM();
        model.LoadListfile();
        model.MoveItem(0, kSlotCount - 1);
        model.SaveListFile();
    }
}
BENCHMARK(LoadAndSaveFullTab);

// The floor: the same bytes read and written with stdio, flushed to disk like every save.
void StdioFloor(benchmark::State& state) {
    std::string name = (BenchFolder() / "floor.txt").string();
    std::string content = FullTab();
    for (auto _ : state) {
        std::FILE* in = std::fopen(name.c_str(), "rb");
        char buffer[4096];
        std::size_t read = in ? std::fread(buffer, 1, sizeof buffer, in) : 0;
        if (in) std::fclose(in);
        benchmark::DoNotOptimize(read);
        std::FILE* out = std::fopen(name.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), out);
        std::fflush(out);
        fsync(fileno(out));
        std::fclose(out);
    }
}
BENCHMARK(StdioFloor);

void DisplayNameOf60Characters(benchmark::State& state) {
    std::string path = "C:\\Users\\someone\\Documents\\Projects\\quarterly report.docx";
    path.resize(60, 'x');
    for (auto _ : state) benchmark::DoNotOptimize(DisplayName(path));
}
BENCHMARK(DisplayNameOf60Characters);

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            nanoseconds[run.benchmark_name()] =
                run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMicrosecond ? 1e3 : 1);
        }
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double ours = reporter.nanoseconds["LoadAndSaveFullTab"];
    double floor = reporter.nanoseconds["StdioFloor"];
    if (floor > 0)
        std::printf("\nload+save of a full tab / stdio floor: %.2fx (target <= 2x)\n",
                    ours / floor);
    std::printf("DisplayName of a 60-character path: %.0f ns (target < 200 ns)\n",
                reporter.nanoseconds["DisplayNameOf60Characters"]);
    // For scripts/bench.
    std::printf(
        "result load_save_us %.1f\nresult stdio_floor_us %.1f\nresult display_name_ns %.1f\n",
        ours / 1e3, floor / 1e3, reporter.nanoseconds["DisplayNameOf60Characters"]);
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
