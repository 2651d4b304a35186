// The program started on folders holding what no version of it ever wrote: it starts, shows what
// can be shown, and closes from "Close".

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <random>

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

std::string Junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

class BadInputTest : public ::testing::Test {
  protected:
    void Write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(temp.File(name), bytes);
    }
    // Starts the program, lets the test look at it, then closes it from its "Close" caption.
    template <typename Check>
    void StartCheckAndClose(Check check) {
        auto started = std::chrono::steady_clock::now();
        {
            Program program(folder, dialogs);
            program.launcher = [](const std::string&, int, LaunchMode) {
                return LaunchResult::Started;
            };
            program.Start();
            ListWindowWin32& shown =
                IsWindowVisible(program.Large().Window()) ? program.Large() : program.Small();
            ASSERT_TRUE(IsWindowVisible(shown.Window()));
            check(shown);
            Click(shown.CloseCaption().Window());
            EXPECT_TRUE(program.Closed());
        }
        auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
        EXPECT_LT(seconds.count(), 30.0);
    }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
};

TEST_F(BadInputTest, BinaryJunkInEveryFile) {
    Write("listtype.txt", Junk(4096, 1));
    Write("VantryTabs.txt", Junk(4096, 2));
    Write("shfile.txt", Junk(4096, 3));
    for (int tab = 0; tab < kTabCount; ++tab) Write(ListFileName(tab), Junk(65536, 10 + tab));
    StartCheckAndClose([](ListWindowWin32& shown) {
        // A junk style word is no style: the small list shows.
        EXPECT_EQ(shown.Logic().StyleWord(), kSmallStyle);
    });
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(BadInputTest, NulFilledFiles) {
    Write("listtype.txt", std::string(1000, '\0'));
    Write("VantryTabs.txt", std::string(1000, '\0') + "\r\nWork |\r\n");
    Write("VantryList0.txt", std::string(1000, '\0') + "\r\nC:\\after nul.txt\r\n");
    StartCheckAndClose([](ListWindowWin32& shown) {
        // NUL bytes are damage: the tab names read as absent, and the defaults stand.
        EXPECT_EQ(WindowText(shown.Tab(0).Window()), kDefaultTabName);
        EXPECT_EQ(WindowText(shown.Tab(1).Window()), kDefaultTabName);
        // Whatever the NUL line shows as, the line after it is an item of its own.
        bool found = false;
        for (int i = 0; i < kSlotCount; ++i) {
            found = found || WindowText(shown.ItemCaption(i).Window()) == "after nul";
        }
        EXPECT_TRUE(found);
    });
}

TEST_F(BadInputTest, ATenMegabyteListFile) {
    std::string big;
    for (int i = 0; big.size() < 10'000'000; ++i) {
        big += "C:\\folder " + std::to_string(i) + "\\item " + std::to_string(i) + ".txt\r\n";
    }
    Write("VantryList0.txt", big);
    StartCheckAndClose([](ListWindowWin32& shown) {
        EXPECT_EQ(WindowText(shown.ItemCaption(0).Window()), "item 0");
        EXPECT_EQ(WindowText(shown.ItemCaption(kSlotCount - 1).Window()),
                  "item " + std::to_string(kSlotCount - 1));
    });
    // Closing saves the tab: the items beyond the slots are kept, not lost.
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")), big);
}

TEST_F(BadInputTest, AOneMegabyteLine) {
    std::string line = "C:\\" + std::string(1'000'000, 'x') + ".txt";
    Write("VantryList0.txt", line + "\r\nC:\\short.txt\r\n");
    Write("VantryTabs.txt", std::string(1'000'000, 'T') + "\r\n");
    StartCheckAndClose([&](ListWindowWin32& shown) {
        // An item's caption is cut to a length the label can draw; a tab's name is not.
        EXPECT_EQ(WindowText(shown.ItemCaption(0).Window()), std::string(260, 'x'));
        EXPECT_EQ(WindowText(shown.ItemCaption(1).Window()), "short");
        EXPECT_EQ(WindowText(shown.Tab(0).Window()).size(), 1'000'000u);
    });
}

TEST_F(BadInputTest, AThousandLineTabFile) {
    std::string tabs;
    for (int i = 0; i < 1000; ++i) tabs += "Tab " + std::to_string(i) + "\r\n";
    Write("VantryTabs.txt", tabs);
    StartCheckAndClose([](ListWindowWin32& shown) {
        EXPECT_EQ(WindowText(shown.Tab(0).Window()), "Tab 0");
        EXPECT_EQ(WindowText(shown.Tab(4).Window()), "Tab 4");
    });
}

TEST_F(BadInputTest, AJunkStyleFileShowsTheSmallListAndIsLeftAsItWas) {
    Write("listtype.txt", "\xff\xfe l\x01rge\r\nlarge\r\n");
    Write("VantryList0.txt", "C:\\a.txt\r\n");
    StartCheckAndClose([](ListWindowWin32& shown) {
        EXPECT_EQ(shown.Logic().StyleWord(), kSmallStyle);
        EXPECT_EQ(WindowText(shown.ItemCaption(0).Window()), "a");
    });
    EXPECT_EQ(test::ReadBytes(temp.File("listtype.txt")), "\xff\xfe l\x01rge\r\nlarge\r\n");
}

}  // namespace
}  // namespace vantry
