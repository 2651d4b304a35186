// Every write the program makes, each under every fault the system can put in its way: a change is
// refused and told (a folder where no file can be made says once that it is read-only), a save the
// user did not ask for goes on without a word, the program keeps running, and what it shows and
// what the files hold stay as they were.

#include <gtest/gtest.h>
#include <windows.h>

#include "app/program/program_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::WindowText;

// The real folder, except that once full, every write meets a full disk.
class FullDiskFolder : public Win32ProgramFolder {
  public:
    using Win32ProgramFolder::Win32ProgramFolder;
    WriteOutcome Replace(const std::string& name, const std::string& content) override {
        if (full) return {false, SystemMessage(ERROR_DISK_FULL)};
        return Win32ProgramFolder::Replace(name, content);
    }
    bool full = false;
};

enum class Fault {
    ReadOnlyFile,  // the file's read-only attribute
    HeldOpen,      // another handle holds the file open without sharing
    // No file can be created in the folder. Wine runs as root here and ignores a read-only
    // attribute on a folder, so a folder in place of the lock file that every save first
    // creates stands in for it.
    NoNewFiles,
    FullDisk,
};
enum class Write { TabSwitch, Delete, Close, UpdateTabs, StyleSwitch, HandOver };

const char* TargetOf(Write write) {
    switch (write) {
        case Write::UpdateTabs:
            return kTabsFile;
        case Write::StyleSwitch:
            return kStyleFile;
        case Write::HandOver:
            return kHandOverFile;
        default:
            return "VantryList0.txt";
    }
}

const char* const kFiles[] = {kStyleFile, kTabsFile, kHandOverFile, "VantryList0.txt",
                              "VantryList1.txt"};

class FaultTest : public ::testing::TestWithParam<std::tuple<Fault, Write>> {
  protected:
    void SetUp() override {
        Write("listtype.txt", "small\r\n");
        Write("VantryTabs.txt", "Main |\r\nWork |\r\n\r\n\r\n\r\n");
        // The empty line makes every save of tab 0 a write: a file already holding what a save
        // would write is left alone, and such a save cannot fail.
        Write("VantryList0.txt", "C:\\a.txt\r\n\r\nC:\\b.txt\r\n");
        Write("VantryList1.txt", "D:\\w.txt\r\n");
        Write("shfile.txt", "C:\\earlier.txt\r\n");
        if (std::get<0>(GetParam()) == Fault::FullDisk) {
            folder = std::make_unique<FullDiskFolder>(temp.Path());
        } else {
            folder = std::make_unique<Win32ProgramFolder>(temp.Path());
        }
        // The items' targets count as there: these faults are the program's own files'.
        program =
            std::make_unique<Program>(*folder, dialogs, IconService::ShellLookup,
                                      [](const std::string&) { return TargetState::Present; });
        program->launcher = [this](const std::string& path, int, LaunchMode) {
            launched.push_back(path);
            return LaunchResult::Started;
        };
        program->Start();
    }
    void TearDown() override {
        program.reset();
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    }
    void Write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(temp.File(name), bytes);
    }
    void Apply(Fault fault, const std::string& name) {
        std::wstring path = Widen(temp.File(name));
        switch (fault) {
            case Fault::ReadOnlyFile:
                ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
                break;
            case Fault::HeldOpen:
                held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
                ASSERT_NE(held, INVALID_HANDLE_VALUE);
                break;
            case Fault::NoNewFiles:
                ASSERT_TRUE(CreateDirectoryW(Widen(temp.File("Vantry.lock")).c_str(), nullptr));
                break;
            case Fault::FullDisk:
                static_cast<FullDiskFolder&>(*folder).full = true;
                break;
        }
    }
    std::vector<std::string> Files() {
        std::vector<std::string> bytes;
        for (const char* file : kFiles) bytes.push_back(test::ReadBytes(temp.File(file)));
        return bytes;
    }
    std::vector<std::string> Shown(ListWindowWin32& window) {
        std::vector<std::string> texts;
        for (int k = 0; k < 2; ++k) texts.push_back(WindowText(window.Tab(k).Window()));
        for (int i = 0; i < 3; ++i) texts.push_back(WindowText(window.ItemCaption(i).Window()));
        return texts;
    }

    test::TempFolder temp;
    std::unique_ptr<Win32ProgramFolder> folder;
    test::RecordingDialogs dialogs;
    std::vector<std::string> launched;
    std::unique_ptr<Program> program;
    HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_P(FaultTest, AFailedWriteIsToldAndChangesNothingShownOrStored) {
    auto [fault, write] = GetParam();
    ListWindowWin32& small = program->Small();
    ASSERT_EQ(Shown(small), (std::vector<std::string>{"Main |", "Work |", "a", "b", ""}));
    HWND configWindow = nullptr;
    if (write == Write::UpdateTabs) {
        Click(small.ConfigCaption().Window());
        configWindow = program->Config().Window();
        ASSERT_TRUE(configWindow);
        SendMessageW(GetDlgItem(configWindow, kConfigText1), WM_CHAR, 'X', 0);
    }
    std::vector<std::string> filesBefore = Files();
    Apply(fault, TargetOf(write));
    std::vector<std::string> shownBefore = Shown(small);

    switch (write) {
        case Write::TabSwitch:
            Click(small.Tab(1).Window());
            break;
        case Write::Delete:
            SendMessageW(small.ItemIcon(1).Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
            break;
        case Write::Close:
            Click(small.CloseCaption().Window());
            break;
        case Write::UpdateTabs:
            SendMessageW(GetDlgItem(configWindow, kConfigCommand1), BM_CLICK, 0, 0);
            break;
        case Write::StyleSwitch:
            program->Drop().StyleClick(kLargeStyle);
            break;
        case Write::HandOver:
            Click(small.ItemCaption(0).Window());
            break;
    }

    if (held != INVALID_HANDLE_VALUE) {
        CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }
    if (write == Write::TabSwitch || write == Write::Close || write == Write::HandOver) {
        // Leaving a tab the user did not change, and the record of the item opened.
        EXPECT_TRUE(dialogs.errors.empty()) << ::testing::PrintToString(dialogs.errors);
        EXPECT_TRUE(dialogs.plain.empty()) << ::testing::PrintToString(dialogs.plain);
        EXPECT_EQ(Files()[2], filesBefore[2]);
        if (write != Write::HandOver) {
            EXPECT_EQ(Files(), filesBefore);
        }
        EXPECT_EQ(launched, (write == Write::HandOver ? std::vector<std::string>{"C:\\a.txt"}
                                                      : std::vector<std::string>{}));
        EXPECT_EQ(program->Closed(), write != Write::TabSwitch);
        if (write == Write::TabSwitch) {
            EXPECT_EQ(small.Logic().Model().List, 1);
            EXPECT_EQ(WindowText(small.ItemCaption(0).Window()), "w");
        }
        return;
    }
    if (fault == Fault::NoNewFiles) {
        ASSERT_EQ(dialogs.plain.size(), 1u) << ::testing::PrintToString(dialogs.plain);
        EXPECT_NE(dialogs.plain[0].find("read-only"), std::string::npos) << dialogs.plain[0];
    } else {
        ASSERT_EQ(dialogs.errors.size(), 1u) << ::testing::PrintToString(dialogs.errors);
        EXPECT_NE(dialogs.errors[0].find(std::string("\"") + TargetOf(write) + "\""),
                  std::string::npos)
            << dialogs.errors[0];
    }
    EXPECT_EQ(Files(), filesBefore);
    EXPECT_TRUE(launched.empty());
    EXPECT_FALSE(program->Closed());
    EXPECT_EQ(program->Small().Logic().Model().List, 0);
    if (write == Write::StyleSwitch) {
        // The switch itself happens for this run; the large list shows the same tab.
        EXPECT_TRUE(IsWindowVisible(program->Large().Window()));
        EXPECT_EQ(Shown(program->Large()), shownBefore);
    } else {
        EXPECT_TRUE(IsWindowVisible(small.Window()));
        EXPECT_EQ(Shown(small), shownBefore);
    }
    if (write == Write::UpdateTabs) {
        // The name typed stays in the configuration window, to be stored again.
        EXPECT_TRUE(IsWindow(configWindow));
        EXPECT_EQ(WindowText(GetDlgItem(configWindow, kConfigText1)), "X");
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Fault, Write>>& info) {
    static const char* const faults[] = {"ReadOnlyFile", "HeldOpen", "NoNewFiles", "FullDisk"};
    static const char* const writes[] = {"TabSwitch",  "Delete",      "Close",
                                         "UpdateTabs", "StyleSwitch", "HandOver"};
    return std::string(faults[static_cast<int>(std::get<0>(info.param))]) + "_" +
           writes[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryWriteUnderEveryFault, FaultTest,
                         ::testing::Combine(::testing::Values(Fault::ReadOnlyFile, Fault::HeldOpen,
                                                              Fault::NoNewFiles, Fault::FullDisk),
                                            ::testing::Values(Write::TabSwitch, Write::Delete,
                                                              Write::Close, Write::UpdateTabs,
                                                              Write::StyleSwitch, Write::HandOver)),
                         CaseName);

// A folder that is a file: nothing can be read or written there. The program starts with its
// defaults and closes; the user changed nothing, so nothing is told.
TEST(FolderFaultTest, AProgramFolderThatIsAFileStartsEmptyAndCloses) {
    test::TempFolder temp;
    test::WriteBytes(temp.File("folder"), "not a folder");
    Win32ProgramFolder folder(temp.File("folder"));
    test::RecordingDialogs dialogs;
    Program program(folder, dialogs);
    program.Start();
    EXPECT_EQ(WindowText(program.Small().Tab(0).Window()), "Main |");
    Click(program.Small().CloseCaption().Window());
    EXPECT_TRUE(program.Closed());
    EXPECT_TRUE(dialogs.errors.empty()) << ::testing::PrintToString(dialogs.errors);
    EXPECT_EQ(test::ReadBytes(temp.File("folder")), "not a folder");
}

// A list file another program holds open without sharing while Vantry starts: its tab shows
// nothing, and neither leaving the tab nor closing replaces the file.
TEST(FolderFaultTest, AListFileHeldWhileTheProgramRunsIsNeverReplaced) {
    test::TempFolder temp;
    const std::string items = "C:\\a.txt\r\nC:\\b.txt\r\n";
    test::WriteBytes(temp.File("VantryTabs.txt"), "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    test::WriteBytes(temp.File("VantryList0.txt"), items);
    test::WriteBytes(temp.File("VantryList1.txt"), "D:\\w.txt\r\n");
    HANDLE held = CreateFileW(Widen(temp.File("VantryList0.txt")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Win32ProgramFolder folder(temp.Path());
    test::RecordingDialogs dialogs;
    Program program(folder, dialogs);
    program.Start();
    ListWindowWin32& small = program.Small();
    EXPECT_EQ(WindowText(small.ItemCaption(0).Window()), "");
    Click(small.Tab(1).Window());
    EXPECT_EQ(WindowText(small.ItemCaption(0).Window()), "w");
    Click(small.Tab(0).Window());
    Click(small.CloseCaption().Window());
    EXPECT_TRUE(program.Closed());
    EXPECT_TRUE(dialogs.errors.empty()) << ::testing::PrintToString(dialogs.errors);
    CloseHandle(held);
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")), items);
}

}  // namespace
}  // namespace vantry
