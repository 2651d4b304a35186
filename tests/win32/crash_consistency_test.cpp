#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <random>

#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/win32/helpers/rewriter_contents.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

struct FolderEntry {
    std::string name;
    ULONGLONG size;
};

std::vector<FolderEntry> Entries(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        std::string name = Narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        entries.push_back(
            {name, (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

// A writer killed at any moment leaves the old content or the new one, byte for byte, and at most
// one temporary file no larger than a content.
TEST(CrashConsistencyTest, AWriterKilledAtRandomMomentsLeavesOneWholeContent) {
    test::TempFolder temp;
    const std::string contents[2] = {test::RewriterContent(0), test::RewriterContent(1)};
    const ULONGLONG largest = std::max(contents[0].size(), contents[1].size());
    std::wstring helper = Widen(ExecutableFolder() + "\\list_rewriter.exe");
    std::wstring eventName = L"VantryRewriterReady" + std::to_wstring(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, FALSE, FALSE, eventName.c_str());
    ASSERT_TRUE(ready);

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    constexpr int kKills = 1000;
    // Each kill needs a new Wine process: past the first kLeastKills, however long they took, the
    // run stops early rather than exceed its budget.
    constexpr int kLeastKills = 200;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(150);
    int kills = 0;
    int seen[2] = {0, 0};
    for (; kills < kKills && (kills < kLeastKills || std::chrono::steady_clock::now() < deadline);
         ++kills) {
        std::wstring command = L"\"" + helper + L"\" \"" + Widen(temp.Path()) + L"\" " + eventName;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        // Wine occasionally refuses a new process for a moment right after many were killed;
        // that says nothing of the writer, so the start is tried again.
        bool started = false;
        DWORD startError = 0;
        for (int attempt = 0; attempt < 20 && !started; ++attempt) {
            started = CreateProcessW(helper.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &process) != 0;
            if (!started) {
                startError = GetLastError();
                Sleep(250);
            }
        }
        ASSERT_TRUE(started) << "kill " << kills << ": the writer could not start, error "
                             << startError;
        ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0) << "kill " << kills;
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        LONGLONG wait = frequency.QuadPart * delayMicroseconds(random) / 1000000;
        do {
            QueryPerformanceCounter(&now);
        } while (now.QuadPart - start.QuadPart < wait);
        TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(exitCode, 9u) << "the writer stopped by itself (a failed write) at kill "
                                << kills;

        std::string content = test::ReadBytes(temp.File(test::kRewrittenFile));
        ASSERT_TRUE(content == contents[0] || content == contents[1])
            << "kill " << kills << ": " << content.size() << " bytes";
        ++seen[content == contents[0] ? 0 : 1];
        // A writer killed in its turn leaves the turn's file, and the next writer, finding it,
        // sweeps the temporary file of that kill: only the last kill's is ever there.
        int temporaries = 0;
        for (const FolderEntry& entry : Entries(temp.Path())) {
            if (entry.name == test::kRewrittenFile || entry.name == kTurnFile) continue;
            ASSERT_TRUE(IsTemporaryFor(test::kRewrittenFile, entry.name))
                << "kill " << kills << ": " << entry.name;
            ASSERT_LE(entry.size, largest) << "kill " << kills;
            ASSERT_LE(++temporaries, 1) << "kill " << kills;
        }
        ASSERT_TRUE(temporaries == 0 || Win32ProgramFolder(temp.Path()).Present(kTurnFile))
            << "kill " << kills;
    }
    CloseHandle(ready);
    std::printf("%d kills, old/new content found %d/%d times\n", kills, seen[0], seen[1]);
    ::testing::Test::RecordProperty("kills", kills);
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

}  // namespace
}  // namespace vantry
