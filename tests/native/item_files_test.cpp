#include "store/item_files.h"

#include <gtest/gtest.h>

#include "store/text_lines.h"
#include "tests/native/support/fakes.h"

namespace vantry {
namespace {

using test::FakeFolder;
using test::RecordingDialogs;

TEST(TextLines, EveryLineEndsWithCrLfTheLastIncluded) {
    EXPECT_EQ(JoinLines({"small"}), "small\r\n");
    EXPECT_EQ(JoinLines({"Main |", "", "a, \"b\"", " lead", ""}),
              "Main |\r\n\r\na, \"b\"\r\n lead\r\n\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(TextLines, ReadsAnyLineEndAndALastLineWithoutOne) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(TextLines, DropsNulBytesSoAPowerCutLeftoverReadsAsEmptyLines) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines(std::string(4096, '\0')), Lines{""});
    EXPECT_EQ(SplitLines(std::string("C:\\a\0b\r\n", 8)), Lines{"C:\\ab"});
}

TEST(ItemFiles, WritesEachFileInItsFormatByteForByte) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    EXPECT_TRUE(files.WriteStyleWord("large"));
    EXPECT_TRUE(files.WriteTabNames({"Main |", "Work |", "", "", ""}));
    EXPECT_TRUE(files.WriteList(3, {"C:\\", "D:\\Music\\", "C:\\a, \"b\".txt"}));
    EXPECT_TRUE(files.WriteList(4, {}));
    EXPECT_TRUE(files.WriteHandOver(" C:\\x y.txt"));
    EXPECT_EQ(folder.files["listtype.txt"], "large\r\n");
    EXPECT_EQ(folder.files["VantryTabs.txt"], "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    EXPECT_EQ(folder.files["VantryList3.txt"], "C:\\\r\nD:\\Music\\\r\nC:\\a, \"b\".txt\r\n");
    EXPECT_EQ(folder.files["VantryList4.txt"], "");
    EXPECT_EQ(folder.files["shfile.txt"], " C:\\x y.txt\r\n");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(ItemFiles, ReadersFallBackWhenAFileIsAbsentOrHoldsNoLine) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    EXPECT_FALSE(files.ReadStyleWord());
    EXPECT_FALSE(files.ReadTabNames());
    EXPECT_FALSE(files.ReadListLines(0));
    folder.files["listtype.txt"] = "";
    folder.files["VantryTabs.txt"] = "";
    folder.files["VantryList0.txt"] = "";
    EXPECT_FALSE(files.ReadStyleWord());
    EXPECT_FALSE(files.ReadTabNames());
    ASSERT_TRUE(files.ReadListLines(0));
    EXPECT_TRUE(files.ReadListLines(0)->empty());
    folder.unreadable.insert("VantryList0.txt");  // locked or a folder: counts as absent
    EXPECT_FALSE(files.ReadListLines(0));
}

TEST(ItemFiles, AStyleOrTabsFileThatCannotBeReadIsNotReplacedUntilItCanBe) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["listtype.txt"] = "large\r\n";
    folder.files["VantryTabs.txt"] = "Work |\r\n";
    folder.unreadable = {"listtype.txt", "VantryTabs.txt"};  // held, or too large
    EXPECT_FALSE(files.ReadStyleWord());
    EXPECT_FALSE(files.ReadTabNames());
    EXPECT_FALSE(files.WriteStyleWord("small"));
    EXPECT_FALSE(files.WriteTabNames({"Main |", "", "", "", ""}));
    EXPECT_EQ(folder.files["listtype.txt"], "large\r\n");
    EXPECT_EQ(folder.files["VantryTabs.txt"], "Work |\r\n");
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_NE(dialogs.errors[1].find("VantryTabs.txt"), std::string::npos);
    folder.unreadable.clear();
    EXPECT_TRUE(files.WriteStyleWord("small"));
    EXPECT_EQ(folder.files["listtype.txt"], "small\r\n");
}

TEST(ItemFiles, ReadsValuesExactlyAndToleratesJunk) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["listtype.txt"] = "Large\r\nsmall\r\n";
    EXPECT_EQ(files.ReadStyleWord(), "Large");
    std::string tabs;
    for (int i = 0; i < 1000; ++i) tabs += "tab " + std::to_string(i) + "\r\n";
    folder.files["VantryTabs.txt"] = tabs;
    auto names = files.ReadTabNames();
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"tab 0", "tab 1", "tab 2", "tab 3", "tab 4"}));
    folder.files["listtype.txt"] = std::string("\xff\xfe\x01junk", 7);
    EXPECT_EQ(files.ReadStyleWord(), std::string("\xff\xfe\x01junk", 7));
}

// Two copies of the program, or a text editor, used to lose whatever the other wrote first: the
// last writer replaced the file whole.
TEST(ItemFiles, AChangeMadeElsewhereSinceTheLastReadOrWriteIsMergedIn) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["VantryList0.txt"] = "A\r\nB\r\n";
    ASSERT_TRUE(files.ReadListLines(0));
    SaveOutcome saved = files.WriteList(0, {"A", "B", "C"});
    EXPECT_TRUE(saved.saved && !saved.merged);

    folder.files["VantryList0.txt"] = "B\r\nD\r\nC\r\nA\r\n";
    saved = files.WriteList(0, {"A", "C"});
    EXPECT_TRUE(saved.saved && saved.merged);
    EXPECT_EQ(folder.files["VantryList0.txt"], "A\r\nC\r\nD\r\n");

    // Nothing changed on this side: the other side's order stands and nothing is written.
    folder.files["VantryList0.txt"] = "D\r\nC\r\nA\r\n";
    saved = files.WriteList(0, {"A", "C", "D"});
    EXPECT_TRUE(saved.saved && saved.merged);
    EXPECT_EQ(folder.writes["VantryList0.txt"], 2);
    EXPECT_EQ(folder.files["VantryList0.txt"], "D\r\nC\r\nA\r\n");

    // A file created elsewhere after this side found none.
    EXPECT_FALSE(files.ReadListLines(1));
    folder.files["VantryList1.txt"] = "X\r\n";
    EXPECT_TRUE(files.WriteList(1, {"Y"}));
    EXPECT_EQ(folder.files["VantryList1.txt"], "Y\r\nX\r\n");

    // The tab names merge tab by tab; a file that cannot be read now is not replaced.
    folder.files["VantryTabs.txt"] = "Main |\r\n\r\n\r\n\r\n\r\n";
    ASSERT_TRUE(files.ReadTabNames());
    folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\n\r\n\r\n\r\n";
    EXPECT_TRUE(files.WriteTabNames({"Home |", "", "", "", ""}));
    EXPECT_EQ(folder.files["VantryTabs.txt"], "Home |\r\nWork |\r\n\r\n\r\n\r\n");
    folder.unreadable.insert("VantryTabs.txt");
    EXPECT_FALSE(files.WriteTabNames({"Other |", "", "", "", ""}));
    EXPECT_EQ(folder.files["VantryTabs.txt"], "Home |\r\nWork |\r\n\r\n\r\n\r\n");
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("VantryTabs.txt"), std::string::npos);
}

// Saves come at every launch and tab click; an unchanged list is not written again, while the
// hand-over is written at every launch.
TEST(ItemFiles, AListFileAlreadyHoldingWhatASaveWouldWriteIsNotRewritten) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["VantryList0.txt"] = "A\r\nB\r\n";
    ASSERT_TRUE(files.ReadListLines(0));
    EXPECT_TRUE(files.WriteList(0, {"A", "B"}));
    EXPECT_EQ(folder.writes["VantryList0.txt"], 0);
    EXPECT_TRUE(files.WriteList(0, {"B", "A"}));
    EXPECT_EQ(folder.files["VantryList0.txt"], "B\r\nA\r\n");
    EXPECT_TRUE(files.WriteHandOver("A"));
    EXPECT_TRUE(files.WriteHandOver("A"));
    EXPECT_EQ(folder.writes["shfile.txt"], 2);
}

TEST(ItemFiles, AFailedWriteTellsTheUserWithTheFileAndTheReason) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["VantryList0.txt"] = "C:\\\r\n";
    folder.failWrites = true;
    EXPECT_FALSE(files.WriteList(0, {"D:\\"}));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("VantryList0.txt"), std::string::npos);
    EXPECT_NE(dialogs.errors[0].find("Access is denied."), std::string::npos);
    EXPECT_EQ(folder.files["VantryList0.txt"], "C:\\\r\n");
}

TEST(ItemFiles, APathTheFilesCannotHoldIsStoredShortOrRefusedAndOtherTextRefused) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.shortForms["C:\\\x7f long.txt"] = "C:\\LONG~1.TXT";
    EXPECT_TRUE(files.WriteList(0, {"C:\\\x7f long.txt"}));
    EXPECT_EQ(folder.files["VantryList0.txt"], "C:\\LONG~1.TXT\r\n");
    EXPECT_FALSE(files.WriteList(0, {"C:\\a.txt", "C:\\\x7f none.txt"}));
    EXPECT_EQ(folder.files["VantryList0.txt"], "C:\\LONG~1.TXT\r\n");
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("\x7f none.txt"), std::string::npos);
    EXPECT_FALSE(files.StorablePath("C:\\\x7f none.txt"));
    EXPECT_EQ(files.StorablePath("C:\\\x7f long.txt"), "C:\\LONG~1.TXT");

    // A tab name is no path: a file that happens to share it lends it no short form.
    folder.shortForms["M\x7fsic"] = "MSIC~1";
    EXPECT_FALSE(files.WriteTabNames({"M\x7fsic", "", "", "", ""}));
    EXPECT_EQ(folder.files.count("VantryTabs.txt"), 0u);
    EXPECT_NE(dialogs.errors.back().find("\"M\x7fsic\""), std::string::npos);
}

}  // namespace
}  // namespace vantry
