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
    files.RecordHandOver(" C:\\x y.txt");
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

// Saves come at every launch and tab click; an unchanged file is not written again.
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
    files.RecordHandOver("A");
    files.RecordHandOver("A");
    EXPECT_EQ(folder.writes["shfile.txt"], 1);
}

// A stick locked against writing, a CD, a read-only share: what needs no write goes on without a
// word, the first change refused says why in plain words, later ones are refused quietly.
TEST(ItemFiles, AReadOnlyFolderRefusesTheFirstChangeInPlainWordsAndLaterOnesQuietly) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    folder.files["VantryList0.txt"] = "A\r\n";
    folder.files["listtype.txt"] = "small\r\n";
    ASSERT_TRUE(files.ReadListLines(0));
    EXPECT_FALSE(files.RefusesChanges());
    folder.readOnly = true;
    {
        auto quiet = files.Quietly();
        EXPECT_TRUE(files.WriteList(0, {"A"}));
        EXPECT_FALSE(files.WriteList(0, {"B"}));
    }
    files.RecordHandOver("A");
    EXPECT_TRUE(files.WriteStyleWord("small"));
    EXPECT_TRUE(dialogs.plain.empty());
    EXPECT_FALSE(files.WriteList(0, {"B"}));
    ASSERT_EQ(dialogs.plain.size(), 1u);
    EXPECT_NE(dialogs.plain[0].find("read-only"), std::string::npos);
    EXPECT_FALSE(files.WriteTabNames({"Work |", "", "", "", ""}));
    EXPECT_FALSE(files.WriteStyleWord("large"));
    EXPECT_TRUE(files.RefusesChanges());  // a tab's shortcut, which writes no list file
    EXPECT_EQ(dialogs.plain.size(), 1u);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_TRUE(folder.writes.empty());
    EXPECT_EQ(folder.files.count("shfile.txt"), 0u);
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

    // Another writer keeps its turn to save for too long.
    folder.failWrites = false;
    folder.turnTaken = true;
    EXPECT_FALSE(files.WriteList(0, {"E:\\"}));
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_NE(dialogs.errors[1].find("being used by another process"), std::string::npos);
    EXPECT_EQ(folder.files["VantryList0.txt"], "C:\\\r\n");
}

// The files take text in any script (written as UTF-8 where the ANSI code page cannot hold it):
// no path goes in its short form and nothing is refused.
TEST(ItemFiles, APathOrNameInAnyScriptIsStoredAsItIs) {
    FakeFolder folder;
    RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    const std::string japanese = "C:\\\xE6\x97\xA5\xE6\x9C\xAC.txt";  // C:\日本.txt
    EXPECT_TRUE(files.WriteList(0, {"C:\\a.txt", japanese}));
    EXPECT_EQ(folder.files["VantryList0.txt"], "C:\\a.txt\r\n" + japanese + "\r\n");
    EXPECT_TRUE(files.WriteTabNames({"M\xC3\xBAsica \xF0\x9F\x8E\xB5", "", "", "", ""}));
    EXPECT_EQ(folder.files["VantryTabs.txt"], "M\xC3\xBAsica \xF0\x9F\x8E\xB5\r\n\r\n\r\n\r\n\r\n");
    EXPECT_TRUE(dialogs.errors.empty());
}

// A sync client that replaces the file, an editor that truncates before writing or a power cut
// leaves it absent, empty or zeroed for a moment: that is no deletion of every item.
TEST(ItemFiles, AFileFoundAbsentEmptyOrAllNulWhereLinesWereSeenGetsOurLinesBack) {
    for (const std::string& left : {std::string("<absent>"), std::string(), std::string(4, '\0')}) {
        SCOPED_TRACE(left.empty() ? "empty" : left[0] ? left : "NUL");
        FakeFolder folder;
        RecordingDialogs dialogs;
        ItemFiles files(folder, dialogs);
        folder.files["VantryList0.txt"] = "A\r\nB\r\nC\r\n";
        folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\n";
        ASSERT_TRUE(files.ReadListLines(0));
        ASSERT_TRUE(files.ReadTabNames());
        for (const char* name : {"VantryList0.txt", "VantryTabs.txt"}) {
            if (left == "<absent>") {
                folder.files.erase(name);
            } else {
                folder.files[name] = left;
            }
        }
        // Read, the tab names are the defaults: no tab counts as free.
        EXPECT_FALSE(files.ReadTabNames());
        // One item deleted here; then nothing changed here at all, which still writes.
        EXPECT_TRUE(files.WriteList(0, {"A", "C"}));
        EXPECT_EQ(folder.files["VantryList0.txt"], "A\r\nC\r\n");
        EXPECT_TRUE(files.WriteTabNames({"Main |", "Work |", "", "", ""}));
        EXPECT_EQ(folder.files["VantryTabs.txt"], "Main |\r\nWork |\r\n\r\n\r\n\r\n");
        EXPECT_TRUE(dialogs.errors.empty());
    }
}

}  // namespace
}  // namespace vantry
