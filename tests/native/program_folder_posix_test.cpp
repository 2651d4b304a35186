#include "store/program_folder_posix.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>

#include "store/path_helpers.h"

namespace vantry {
namespace {

class PosixFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("vantry-native-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Slurp(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::filesystem::path dir;
};

TEST_F(PosixFolderTest, ReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    PosixProgramFolder folder(dir.string());
    EXPECT_FALSE(folder.Exists("VantryList0.txt"));
    ASSERT_TRUE(folder.Replace("VantryList0.txt", "C:\\a\r\nC:\\b\r\n").ok);
    ASSERT_TRUE(folder.Replace("VantryList0.txt", "C:\\c\r\n").ok);
    EXPECT_EQ(folder.Read("VantryList0.txt"), "C:\\c\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

// Temporary names used to be the target's name plus a process id and a counter, too long in a deep
// folder, and leftovers were swept once per file and process. The lock leaves no sign of a killed
// writer here, so every turn sweeps, and only temporary names.
TEST_F(PosixFolderTest, TemporaryNamesFitAndEveryTurnSweepsWhatKilledWritersLeft) {
    const std::string list = "VantryList0.txt";
    for (std::uint64_t token : {0ull, 35ull, ~0ull}) {
        for (const char* name : {"VantryList0.txt", "shfile.txt", "x"}) {
            const std::string temporary = TemporaryName(name, token);
            EXPECT_LE(temporary.size(), list.size()) << temporary;
            EXPECT_TRUE(IsTemporaryFor(name, temporary)) << temporary;
            EXPECT_EQ(IsTemporaryFor(list, temporary), name == list) << temporary;
        }
    }
    EXPECT_NE(TemporaryName(list, 1), TemporaryName(list, 2));
    const std::string kept = "~report.tmp";
    for (const std::string& file :
         {list, kept, TemporaryName(list, 1) + "x", "~" + std::string(10, 'A') + ".tmp"}) {
        EXPECT_FALSE(IsTemporary(file)) << file;
    }

    PosixProgramFolder folder(dir.string());
    for (int save = 0; save < 3; ++save) {
        for (std::uint64_t token : {11ull * save, 11ull * save + 1}) {
            std::ofstream(dir / TemporaryName(list, token)) << "a killed writer's";
        }
        std::ofstream(dir / TemporaryName("VantryList1.txt", 7)) << "another file's";
        std::ofstream(dir / kept) << "the user's";
        TurnRefusal refused;
        auto turn = folder.TakeSaveTurn(refused);
        ASSERT_TRUE(turn && folder.Replace(list, "C:\\a\r\n").ok);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{list, kept})) << "save " << save;
    }
}

TEST_F(PosixFolderTest, AFolderIsNotAFileThatExists) {
    std::filesystem::create_directories(dir / "sub");
    EXPECT_FALSE(FileExists((dir / "sub").string()));
    PosixProgramFolder folder(dir.string());
    EXPECT_FALSE(folder.Read("missing.txt"));
}

TEST_F(PosixFolderTest, AFileOverTheSizeCapIsNotRead) {
    std::ofstream(dir / "VantryList0.txt").put('x');
    std::filesystem::resize_file(dir / "VantryList0.txt", kMaxFileBytes + 1);  // sparse
    PosixProgramFolder folder(dir.string());
    EXPECT_TRUE(folder.Present("VantryList0.txt"));
    EXPECT_FALSE(folder.Read("VantryList0.txt"));
}

TEST_F(PosixFolderTest, AFailedWriteReportsTheReasonAndKeepsTheOldContent) {
    PosixProgramFolder missing((dir / "gone").string());
    WriteOutcome outcome = missing.Replace("listtype.txt", "small\r\n");
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.reason.empty());
}

// A writer killed at any moment leaves the old content or the new, byte for byte.
TEST_F(PosixFolderTest, AWriterKilledAtRandomMomentsNeverLeavesAMix) {
    const std::string oldContent = std::string(3000, 'a') + "\r\n";
    const std::string newContent = std::string(5000, 'b') + "\r\n";
    PosixProgramFolder folder(dir.string());
    ASSERT_TRUE(folder.Replace("VantryList0.txt", oldContent).ok);
    std::mt19937 random(12345);
    constexpr int kKills = 1000;
    for (int i = 0; i < kKills; ++i) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PosixProgramFolder writer(dir.string());
            for (int n = 0;; ++n)
                writer.Replace("VantryList0.txt", n % 2 ? oldContent : newContent);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 400)(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string content = Slurp("VantryList0.txt");
        ASSERT_TRUE(content == oldContent || content == newContent) << "after kill " << i;
    }
}

// Faults of the folder itself, on a small filesystem of the test's own, mounted in a mount
// namespace of this process so that nothing outlives it. Machines that allow no mount skip
// these; the Win32 fault test covers both through the folder and a seam.
class PosixFolderFaultTest : public PosixFolderTest {
  protected:
    void SetUp() override {
        PosixFolderTest::SetUp();
        mounted = unshare(CLONE_NEWNS) == 0 &&
                  mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                  mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") == 0;
        if (!mounted) GTEST_SKIP() << "no small filesystem can be mounted here";
        folder.emplace(dir.string());
        ASSERT_TRUE(folder->Replace("VantryList0.txt", oldContent).ok);
    }
    void TearDown() override {
        if (mounted) umount2(dir.c_str(), MNT_DETACH);
        PosixFolderTest::TearDown();
    }
    // The write fails for the given reason; the file and the folder are as they were.
    void ExpectRefused(int error) {
        WriteOutcome outcome = folder->Replace("VantryList0.txt", std::string(8192, 'n') + "\r\n");
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.reason, std::strerror(error));
        EXPECT_EQ(Slurp("VantryList0.txt"), oldContent);
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            EXPECT_FALSE(IsTemporaryFor("VantryList0.txt", entry.path().filename().string()))
                << entry.path();
        }
    }

    bool mounted = false;
    const std::string oldContent = "C:\\old\r\n";
    std::optional<PosixProgramFolder> folder;  // in the folder made by SetUp
};

TEST_F(PosixFolderFaultTest, AFullDiskFailsTheWriteAndKeepsTheOldContent) {
    {
        std::ofstream filler(dir / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               filler.flush()) {
        }
    }
    ExpectRefused(ENOSPC);
}

TEST_F(PosixFolderFaultTest, AReadOnlyFolderFailsTheWriteAndKeepsTheOldContent) {
    ASSERT_EQ(mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    ExpectRefused(EROFS);
}

}  // namespace
}  // namespace vantry
