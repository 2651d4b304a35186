// Another copy of the program, a text editor or a sync client changes a list file while the
// program runs; every save the program makes afterwards keeps that change beside its own.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <set>

#include "app/program/program_win32.h"
#include "platform/byte_data_object_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "store/text_lines.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::WindowText;

class TwoWritersTest : public ::testing::Test {
  protected:
    TwoWritersTest() { OleInitialize(nullptr); }
    ~TwoWritersTest() override {
        program.reset();
        OleUninitialize();
    }
    void Start() {
        program = std::make_unique<Program>(folder, dialogs);
        program->launcher = [](const std::string&, int, LaunchMode) {
            return LaunchResult::Started;
        };
        program->Start();
    }
    void Write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(temp.File(name), bytes);
    }
    std::string Read(const std::string& name) { return test::ReadBytes(temp.File(name)); }
    std::string Items() {
        std::string items;
        for (int i = 0; i < kSlotCount; ++i) {
            std::string caption = WindowText(program->Small().ItemCaption(i).Window());
            if (!caption.empty()) items += (items.empty() ? "" : ";") + caption;
        }
        return items;
    }
    void DropFile(const std::string& name) {
        test::WriteBytes(temp.File(name), "x");
        auto* data = new ByteDataObject({{CF_HDROP, FileListBlock({temp.File(name)})}});
        DWORD effect = DROPEFFECT_COPY;
        program->DropForm()->Registration()->Target()->Drop(data, MK_LBUTTON, {0, 0}, &effect);
        data->Release();
    }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::unique_ptr<Program> program;
};

TEST_F(TwoWritersTest, AChangeMadeOnDiskSurvivesDeleteDropTabSwitchAndClose) {
    Write("VantryTabs.txt", "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    Write("VantryList0.txt", "C:\\A.txt\r\nC:\\B.txt\r\nC:\\C.txt\r\n");
    Start();

    // Added elsewhere, then an item deleted here.
    Write("VantryList0.txt", "C:\\A.txt\r\nC:\\B.txt\r\nC:\\C.txt\r\nC:\\X.txt\r\n");
    SendMessageW(program->Small().ItemIcon(0).Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(Read("VantryList0.txt"), "C:\\B.txt\r\nC:\\C.txt\r\nC:\\X.txt\r\n");
    EXPECT_EQ(Items(), "B;C;X");

    // Removed elsewhere, then a drop here.
    Write("VantryList0.txt", "C:\\C.txt\r\nC:\\X.txt\r\n");
    Click(program->Small().DropTargetCaption().Window());
    DropFile("new.txt");
    EXPECT_EQ(Read("VantryList0.txt"),
              "C:\\C.txt\r\nC:\\X.txt\r\n" + temp.File("new.txt") + "\r\n");
    EXPECT_EQ(Items(), "C;X;new");

    // Reordered elsewhere, then the tab left: nothing changed here, so the new order stands.
    const std::string reordered = temp.File("new.txt") + "\r\nC:\\X.txt\r\nC:\\C.txt\r\n";
    Write("VantryList0.txt", reordered);
    Click(program->Small().Tab(1).Window());
    EXPECT_EQ(Read("VantryList0.txt"), reordered);
    Click(program->Small().Tab(0).Window());
    EXPECT_EQ(Items(), "new;X;C");

    // A second copy's drop, then this copy closed: the drop is not lost.
    const std::string dropped = reordered + "C:\\second.txt\r\n";
    Write("VantryList0.txt", dropped);
    Click(program->Small().CloseCaption().Window());
    EXPECT_TRUE(program->Closed());
    EXPECT_EQ(Read("VantryList0.txt"), dropped);
    EXPECT_TRUE(dialogs.errors.empty());
}

// Two copies saving at the same moment each read the file, merge and replace it; without taking
// turns, one replaced the file with a merge that lacked what the other had just written.
TEST(TwoWritersInTwoProcesses, SavingInATightLoopLoseNoLine) {
    test::TempFolder temp;
    constexpr int kEach = 150;
    const std::wstring helper = Widen(ExecutableFolder() + "\\list_rewriter.exe");
    PROCESS_INFORMATION writers[2] = {};
    for (int w = 0; w < 2; ++w) {
        std::wstring command = L"\"" + helper + L"\" \"" + Widen(temp.Path()) + L"\" --add " +
                               (w == 0 ? L"first" : L"second") + L" " + std::to_wstring(kEach);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessW(helper.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &writers[w]));
    }
    for (const PROCESS_INFORMATION& writer : writers) {
        DWORD code = 1;
        EXPECT_EQ(WaitForSingleObject(writer.hProcess, 120000), WAIT_OBJECT_0);
        GetExitCodeProcess(writer.hProcess, &code);
        EXPECT_EQ(code, 0u) << "a save failed";
        CloseHandle(writer.hThread);
        CloseHandle(writer.hProcess);
    }
    std::vector<std::string> lines = SplitLines(test::ReadBytes(temp.File("VantryList0.txt")));
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 2u * kEach);
    EXPECT_EQ(lines.size(), 2u * kEach);
    EXPECT_EQ(temp.Names(), std::vector<std::string>{"VantryList0.txt"});
}

}  // namespace
}  // namespace vantry
