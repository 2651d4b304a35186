// One item's icon look-up hangs (a network share whose server is gone) until the test lets it
// go: the list, its tabs and its items must not wait for it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>

#include "app/program/program_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::PumpUntil;
using test::WindowText;

constexpr char kHeldPath[] = "\\\\gone\\share\\Slow report.txt";

// The look-up seam: every path gets the shell's icon at once except the held one, which answers
// only when released, with an icon the test can tell apart.
struct Hold {
    Hold() = default;
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold() {
        CloseHandle(released);
        CloseHandle(answered);
    }
    HANDLE released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE answered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HICON> answer{nullptr};
};

IconService::Lookup HoldingLookup(std::shared_ptr<Hold> hold) {
    return [hold](const IconRequest& request) {
        if (request.path != kHeldPath) return IconService::ShellLookup(request);
        // The wait's limit only keeps a look-up made on the window thread from hanging the suite.
        WaitForSingleObject(hold->released, 30000);
        HICON icon = CopyIcon(LoadIconW(nullptr, IDI_WARNING));
        hold->answer = icon;
        SetEvent(hold->answered);
        return UniqueIcon(icon);
    };
}

// The held path is on a server that is gone; its check must not end its icon look-up early.
TargetState HeldPathIsThere(const std::string& path) {
    return path == kHeldPath ? TargetState::Present : IconService::FileSystemCheck(path);
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

class SlowIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(temp.File("VantryTabs.txt"), "One\r\nTwo\r\n\r\n\r\n\r\n");
        test::WriteBytes(
            temp.File("VantryList0.txt"),
            std::string("C:\\windows\\\r\n") + kHeldPath + "\r\nC:\\windows\\system32\\\r\n");
        test::WriteBytes(temp.File("VantryList1.txt"), "C:\\windows\\fonts\\\r\nC:\\\r\n");
        program = std::make_unique<Program>(folder, dialogs, HoldingLookup(hold), HeldPathIsThere);
        program->launcher = [this](const std::string& path, int, LaunchMode) {
            launched.push_back(path);
            return LaunchResult::Started;
        };
        program->Start();
        // Everything but the held look-up has answered.
        ASSERT_TRUE(PumpUntil([this] { return program->Icons().Pending() == 1; }));
    }
    void TearDown() override { SetEvent(hold->released); }

    ListWindowWin32& List() { return program->Small(); }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::shared_ptr<Hold> hold = std::make_shared<Hold>();
    std::vector<std::string> launched;
    std::unique_ptr<Program> program;
};

TEST_F(SlowIconTest, EveryOtherItemIsDrawnAndTheHeldIconComesToItsOwnSlot) {
    EXPECT_EQ(WindowText(List().ItemCaption(0).Window()), "windows");
    EXPECT_EQ(WindowText(List().ItemCaption(1).Window()), "Slow report");
    EXPECT_EQ(WindowText(List().ItemCaption(2).Window()), "system32");
    EXPECT_NE(List().ItemIcon(0).Icon(), nullptr);
    EXPECT_NE(List().ItemIcon(2).Icon(), nullptr);
    EXPECT_EQ(List().ItemIcon(1).Icon(), nullptr);
    // The batch's timer ends: the held slot shows the generic icon meanwhile.
    SendMessageW(List().Window(), WM_TIMER, ListWindowWin32::kGenericIconTimer, 0);
    HICON generic = List().ItemIcon(1).Icon();
    EXPECT_NE(generic, nullptr);

    SetEvent(hold->released);
    ASSERT_TRUE(PumpUntil([this] { return program->Icons().Pending() == 0; }));
    EXPECT_EQ(List().ItemIcon(1).Icon(), hold->answer.load());
    EXPECT_FALSE(IconAlive(generic));
}

TEST_F(SlowIconTest, ATabSwitchDoesNotWaitAndTheLateAnswerIsDropped) {
    Click(List().Tab(1).Window());
    EXPECT_EQ(WindowText(List().ItemCaption(0).Window()), "fonts");
    EXPECT_EQ(WindowText(List().ItemCaption(1).Window()), "C:");
    ASSERT_TRUE(PumpUntil([this] { return program->Icons().Pending() == 0; }));
    HICON drive = List().ItemIcon(1).Icon();
    EXPECT_NE(drive, nullptr);

    SetEvent(hold->released);
    ASSERT_TRUE(PumpUntil([this] { return program->Icons().InFlight() == 0; }));
    EXPECT_EQ(List().ItemIcon(1).Icon(), drive);
    EXPECT_FALSE(IconAlive(hold->answer.load()));
}

TEST_F(SlowIconTest, AClickOpensAnotherItemAndTheProgramEndsWithoutWaiting) {
    Click(List().ItemIcon(2).Window());
    EXPECT_EQ(launched, std::vector<std::string>{"C:\\windows\\system32\\"});
    EXPECT_TRUE(program->Closed());
    program.reset();  // returns while the look-up still hangs

    // The answer comes after its window has gone: it is freed, and nothing receives it.
    SetEvent(hold->released);
    ASSERT_EQ(WaitForSingleObject(hold->answered, 30000), WAIT_OBJECT_0);
    EXPECT_TRUE(PumpUntil([this] { return !IconAlive(hold->answer.load()); }));
}

// A check that says "missing" only after the time limit (a server slow to answer), as the last
// item; every other path is checked for real.
constexpr char kSlowGonePath[] = "C:\\slow share\\Gone.txt";

TargetState SlowForOnePath(const std::string& path) {
    if (path != kSlowGonePath) return IconService::FileSystemCheck(path);
    Sleep(IconService::kCheckLimitMs + 500);
    return TargetState::Missing;
}

TEST(MissingTargetTest, AGoneTargetIsDimmedWithItsTypeIconAndALateWordOnOneIsNot) {
    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    const std::string gone = temp.File("Gone report.txt");  // never made
    const std::string list = "C:\\windows\\\r\n" + gone + "\r\n" + kSlowGonePath + "\r\n";
    test::WriteBytes(temp.File("VantryList0.txt"), list);
    Program program(folder, dialogs, IconService::ShellLookup, SlowForOnePath);
    program.Start();
    ASSERT_TRUE(PumpUntil([&] { return program.Icons().InFlight() == 0; }));

    ListWindowWin32& shown = program.Small();
    EXPECT_FALSE(shown.Logic().TargetMissing(0));
    EXPECT_FALSE(shown.ItemCaption(0).State().Dimmed());
    EXPECT_TRUE(shown.Logic().TargetMissing(1));
    EXPECT_TRUE(shown.ItemCaption(1).State().Dimmed());
    EXPECT_TRUE(shown.ItemIcon(1).Dimmed());
    EXPECT_NE(shown.ItemIcon(1).Icon(), nullptr);  // the file has none: its type's
    EXPECT_FALSE(shown.Logic().TargetMissing(2));  // unknown is not missing
    EXPECT_FALSE(shown.ItemCaption(2).State().Dimmed());
    // Never dropped from the list: the file is as it was.
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")), list);
}

// A start after one that kept its icons draws the held item's icon from the cache while its
// look-up hangs; the answer, another icon, then takes its place.
TEST(IconCacheStartTest, ACachedIconIsDrawnBeforeItsLookUpAnswersAndReplacedByAChangedOne) {
    // A program an earlier test closed left its quit request in this thread's queue, which comes
    // before any timer's message: the cache's timers would never come.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    test::WriteBytes(temp.File("VantryList0.txt"),
                     std::string("C:\\windows\\\r\n") + kHeldPath + "\r\n");
    {
        auto answerAtOnce = [](const IconRequest& request) {
            if (request.path != kHeldPath) return IconService::ShellLookup(request);
            return UniqueIcon(static_cast<HICON>(CopyImage(
                LoadIconW(nullptr, IDI_INFORMATION), IMAGE_ICON, request.side, request.side, 0)));
        };
        Program earlier(folder, dialogs, answerAtOnce, HeldPathIsThere);
        earlier.UseIconCache(folder);
        earlier.Start();
        ASSERT_TRUE(PumpUntil([&] { return earlier.Small().IconsSettled(); }));
    }
    auto hold = std::make_shared<Hold>();
    Program program(folder, dialogs, HoldingLookup(hold), HeldPathIsThere);
    program.UseIconCache(folder);
    program.Start();
    ASSERT_TRUE(PumpUntil([&] { return program.Icons().Pending() == 1; }));
    EXPECT_NE(program.Small().ItemIcon(1).Icon(), nullptr);

    SetEvent(hold->released);
    ASSERT_TRUE(PumpUntil([&] { return program.Icons().Pending() == 0; }));
    EXPECT_EQ(program.Small().ItemIcon(1).Icon(), hold->answer.load());
    EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace vantry
