#include "app/drop/drop_intake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

using Kind = DropProbe::Kind;
using test::FakeProbe;

ShortcutLink Link(std::string target, std::string arguments = "", std::string folder = "") {
    ShortcutLink link;
    link.target = std::move(target);
    link.arguments = std::move(arguments);
    link.workingFolder = std::move(folder);
    return link;
}

DroppedFiles Files(std::vector<std::optional<std::string>> entries) {
    return {true, std::move(entries)};
}

TEST(ReadDroppedPaths, KeepsFilesAndFoldersInDropOrderAndSkipsWhatIsAbsent) {
    FakeProbe probe;
    probe.items = {{"C:\\a.txt", Kind::File},
                   {"D:\\Music", Kind::Folder},
                   {"C:\\", Kind::Folder},
                   {"C:\\Games\\", Kind::Folder}};
    DropReading reading = ReadDroppedPaths(
        Files({"D:\\Music", "C:\\gone.txt", "C:\\a.txt", "C:\\", "C:\\Games\\"}), probe);
    EXPECT_EQ(reading.paths,
              (std::vector<std::string>{"D:\\Music\\", "C:\\a.txt", "C:\\", "C:\\Games\\"}));
    EXPECT_TRUE(reading.messages.empty());
    EXPECT_EQ(PathText(reading.paths), "D:\\Music\\\r\nC:\\a.txt\r\nC:\\\r\nC:\\Games\\\r\n");
}

// The probe would find "C:\\r.txt" for "C:\\r.txt.": such a name is refused before it is looked at,
// resolved from a shortcut or dropped as it is.
TEST(ReadDroppedPaths, ANameEndingInADotOrASpaceIsRefusedWithTheReason) {
    FakeProbe probe;
    probe.items = {
        {"C:\\r.txt", Kind::File}, {"C:\\r.txt.", Kind::File}, {"C:\\l.lnk", Kind::File}};
    probe.links = {{"C:\\l.lnk", Link("C:\\r.txt ")}};
    DropReading reading = ReadDroppedPaths(Files({"C:\\r.txt.", "C:\\l.lnk", "C:\\r.txt"}), probe);
    EXPECT_EQ(reading.paths, std::vector<std::string>{"C:\\r.txt"});
    ASSERT_EQ(reading.messages.size(), 2u);
    EXPECT_EQ(reading.messages[0].text, TrimmedNameMessage("C:\\r.txt."));
    EXPECT_NE(reading.messages[1].text.find("ends in a dot or a space"), std::string::npos);
    EXPECT_EQ(probe.looked, std::vector<std::string>{"C:\\r.txt"});
}

TEST(ReadDroppedPaths, ResolvesShortcutsOfAnyCaseOnceAndSkipsAnEmptyTarget) {
    FakeProbe probe;
    probe.items = {{"C:\\App.exe", Kind::File},
                   {"C:\\l\\inner.lnk", Kind::File},
                   {"C:\\l\\Mail.LNK", Kind::File},
                   {"C:\\l\\outer.lnk", Kind::File},
                   {"C:\\l\\notes.lnkx", Kind::File}};
    probe.links = {{"C:\\l\\Mail.LNK", Link("C:\\App.exe")},
                   {"C:\\l\\outer.lnk", Link("C:\\l\\inner.lnk")},
                   {"C:\\l\\inner.lnk", Link("C:\\App.exe")}};
    DropReading reading = ReadDroppedPaths(
        Files({"C:\\l\\Mail.LNK", "C:\\l\\control.lnk", "C:\\l\\outer.lnk", "C:\\l\\notes.lnkx"}),
        probe);
    EXPECT_EQ(reading.paths,
              (std::vector<std::string>{"C:\\App.exe", "C:\\l\\inner.lnk", "C:\\l\\notes.lnkx"}));
    EXPECT_EQ(probe.resolved, (std::vector<std::string>{"C:\\l\\Mail.LNK", "C:\\l\\control.lnk",
                                                        "C:\\l\\outer.lnk"}));
    EXPECT_TRUE(reading.messages.empty());
}

TEST(ReadDroppedPaths, KeepsAShortcutThatCarriesMoreThanItsTargetAsItself) {
    const ShortcutLink plain = Link("C:\\Apps\\Chat\\Update.exe");
    auto keeps = [&plain](void (*change)(ShortcutLink&)) {
        ShortcutLink link = plain;
        change(link);
        return KeepsShortcut(link);
    };
    EXPECT_FALSE(KeepsShortcut(plain));
    EXPECT_FALSE(keeps([](ShortcutLink& l) { l.workingFolder = "c:\\apps\\chat\\"; }));
    EXPECT_FALSE(KeepsShortcut(Link("C:\\tool.exe", "", "C:\\")));
    EXPECT_TRUE(keeps([](ShortcutLink& l) { l.arguments = "--processStart Chat.exe"; }));
    EXPECT_TRUE(keeps([](ShortcutLink& l) { l.workingFolder = "D:\\Chat data"; }));
    EXPECT_TRUE(keeps([](ShortcutLink& l) { l.runAsAdministrator = true; }));
    EXPECT_TRUE(keeps([](ShortcutLink& l) { l.installer = true; }));
    ShortcutLink panel;  // no file, an item of the shell
    panel.shellItem = true;
    EXPECT_TRUE(KeepsShortcut(panel));
    EXPECT_FALSE(KeepsShortcut(ShortcutLink()));  // nothing at all

    FakeProbe probe;
    probe.items = {{"C:\\Apps\\Chat\\Update.exe", Kind::File},
                   {"C:\\l\\Chat.lnk", Kind::File},
                   {"C:\\l\\Plain.lnk", Kind::File},
                   {"C:\\l\\Panel.lnk", Kind::File}};
    probe.links = {{"C:\\l\\Chat.lnk", Link(plain.target, "--processStart Chat.exe")},
                   {"C:\\l\\Plain.lnk", plain},
                   {"C:\\l\\Panel.lnk", panel}};
    DropReading reading =
        ReadDroppedPaths(Files({"C:\\l\\Chat.lnk", "C:\\l\\Plain.lnk", "C:\\l\\Panel.lnk"}), probe);
    EXPECT_EQ(reading.paths,
              (std::vector<std::string>{"C:\\l\\Chat.lnk", plain.target, "C:\\l\\Panel.lnk"}));
}

TEST(ShellLinkFlags, AreReadFromTheHeaderOfAShortcutFileOnly) {
    std::string header(kShellLinkHeaderSize, '\0');
    const char start[] = "\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46\xB3\x20";
    header.replace(0, sizeof start - 1, start, sizeof start - 1);
    EXPECT_EQ(ShellLinkFlags(header), 0x20B3u);
    EXPECT_EQ(ShellLinkFlags(header.substr(0, 40)), std::nullopt);
    header[4] = 0x02;  // another class
    EXPECT_EQ(ShellLinkFlags(header), std::nullopt);
}

TEST(ReadDroppedPaths, WithoutAFileListShowsTheErrorAndGivesNothing) {
    FakeProbe probe;
    DropReading reading = ReadDroppedPaths(DroppedFiles{}, probe);
    EXPECT_TRUE(reading.paths.empty());
    ASSERT_EQ(reading.messages.size(), 1u);
    EXPECT_TRUE(reading.messages[0].errorIcon);
    EXPECT_EQ(reading.messages[0].text, kCantGetFilesMessage);
}

TEST(ReadDroppedPaths, AnUnreadableEntryIsReportedAndTheOthersKept) {
    FakeProbe probe;
    probe.items = {{"C:\\a.txt", Kind::File}, {"C:\\b.txt", Kind::File}};
    DropReading reading =
        ReadDroppedPaths(Files({"C:\\a.txt", std::nullopt, "C:\\b.txt", std::nullopt}), probe);
    EXPECT_EQ(reading.paths, (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}));
    ASSERT_EQ(reading.messages.size(), 2u);
    EXPECT_TRUE(reading.messages[1].errorIcon);
    EXPECT_EQ(reading.messages[1].text, kCantGetFilesMessage);
}

TEST(ReadDroppedPaths, AFailureEndsTheReadingAndDropsWhatWasAcceptedBefore) {
    for (const char* failing : {"C:\\broken.lnk", "Z:\\x.txt"}) {
        FakeProbe probe;
        probe.items = {{"C:\\a.txt", Kind::File}, {"C:\\b.txt", Kind::File}};
        probe.failures[failing] = {-2147024891, "Access is denied."};
        DropReading reading = ReadDroppedPaths(Files({"C:\\a.txt", failing, "C:\\b.txt"}), probe);
        EXPECT_TRUE(reading.paths.empty()) << failing;
        ASSERT_EQ(reading.messages.size(), 1u) << failing;
        EXPECT_FALSE(reading.messages[0].errorIcon);
        EXPECT_EQ(reading.messages[0].text, "-2147024891 - Access is denied.");
        EXPECT_EQ(std::count(probe.looked.begin(), probe.looked.end(), "C:\\b.txt"), 0) << failing;
    }
}

class DropIntakeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 30; ++i) {
            probe.items["C:\\f\\item" + std::to_string(i) + ".txt"] = Kind::File;
        }
    }
    static std::string Item(int i) { return "C:\\f\\item" + std::to_string(i) + ".txt"; }
    // The list file of the tab with the first n items.
    void StoreItems(int tab, int n) {
        std::string content;
        for (int i = 0; i < n; ++i) content += Item(i) + "\r\n";
        p.folder.files[ListFileName(tab)] = content;
    }
    DropIntake::Outcome DropItems(std::vector<std::optional<std::string>> entries) {
        return intake.Drop(Files(std::move(entries)), probe);
    }

    test::FakeProgram p;
    FakeProbe probe;
    DropIntake intake{p.drop, p.dialogs};
};

TEST_F(DropIntakeTest, TheLowestFreeSlotOfAVisibleWindowWinsAndTheLargeWindowFirst) {
    StoreItems(0, 3);
    StoreItems(1, 1);
    p.drop.Start();
    // large (loaded at start) holds tab 0's 3 items; small shows tab 1 with 1 item
    p.small.Model().ResetDWM();
    p.small.Model().List = 1;
    p.small.Model().LoadListfile();
    p.largeView.SetVisible(true);
    DropItems({Item(9)});
    EXPECT_EQ(p.small.Model().Path(1), Item(9));
    EXPECT_FALSE(p.large.Model().Occupied(3));

    p.small.Model().ResetDWM();  // every slot of small free, but small is hidden
    p.smallView.SetVisible(false);
    DropItems({Item(8)});
    EXPECT_EQ(p.large.Model().Path(3), Item(8));
}

TEST_F(DropIntakeTest, AFullWindowOrNoVisibleWindowAddsNothingAndSaysNothing) {
    StoreItems(0, 20);
    p.drop.Start();
    std::string before = p.folder.files["VantryList0.txt"];
    EXPECT_EQ(DropItems({Item(25)}), DropIntake::Outcome::Nothing);
    p.smallView.SetVisible(false);
    p.small.Model().ResetDWM();
    EXPECT_EQ(DropItems({Item(25)}), DropIntake::Outcome::Nothing);
    EXPECT_EQ(p.folder.files["VantryList0.txt"], before);
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 0);
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

TEST_F(DropIntakeTest, ADropWhoseSaveFailsIsToldAndNotReportedAsCopied) {
    StoreItems(0, 3);
    p.drop.Start();
    std::string before = p.folder.files["VantryList0.txt"];
    p.folder.failWrites = true;
    EXPECT_EQ(DropItems({Item(8)}), DropIntake::Outcome::Nothing);
    EXPECT_EQ(p.dialogs.errors.size(), 1u);
    EXPECT_EQ(p.folder.files["VantryList0.txt"], before);
    EXPECT_FALSE(p.small.Model().Occupied(3));
}

// Paths whose DisplayName is empty used to leave the transient caption empty, so the save
// skipped the slot and the reload lost the drop.
TEST_F(DropIntakeTest, PathsWithAnEmptyDisplayNameReachTheListFileAndAreShown) {
    probe.items = {{"C:\\Data\\NO FILE here.txt", Kind::File}, {"C:\\x\\.profile", Kind::File}};
    p.drop.Start();
    for (const char* path : {"C:\\x\\.profile", "C:\\Data\\NO FILE here.txt"}) {
        DropItems({path});
    }
    EXPECT_EQ(p.folder.files["VantryList0.txt"],
              "C:\\x\\.profile\r\nC:\\Data\\NO FILE here.txt\r\n\r\n");
    EXPECT_EQ(p.smallView.captions[0], ".profile");
    EXPECT_EQ(p.smallView.captions[1], "NO FILE here.txt");
}

TEST_F(DropIntakeTest, MorePathsThanFreeSlotsAreAllKeptAndTheFirstTwentyShown) {
    StoreItems(0, 18);
    p.drop.Start();
    DropItems({Item(20), Item(21), Item(22), Item(23), Item(24)});
    auto lines = p.files.ReadListLines(0);
    ASSERT_TRUE(lines);
    std::vector<std::string> expected;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24})
        expected.push_back(Item(i));
    expected.push_back("");
    EXPECT_EQ(*lines, expected);
    EXPECT_EQ(p.small.Model().Path(19), Item(21));
    EXPECT_EQ(p.small.Model().Overflow(), (std::vector<std::string>{Item(22), Item(23), Item(24)}));
    // The next save of the tab keeps the lines without a slot.
    p.small.Model().SaveListFile();
    expected.pop_back();
    EXPECT_EQ(*p.files.ReadListLines(0), expected);
}

TEST_F(DropIntakeTest, APathInAnyScriptGoesInAsItIs) {
    std::string japanese = "C:\\f\\\xE6\x97\xA5.txt";             // C:\f\日.txt
    std::string emoji = "C:\\f\\\xF0\x9F\x98\x80 long name.txt";  // C:\f\😀 long name.txt
    probe.items[japanese] = Kind::File;
    probe.items[emoji] = Kind::File;
    p.drop.Start();
    EXPECT_EQ(DropItems({Item(1), japanese, emoji, Item(2)}), DropIntake::Outcome::Added);
    EXPECT_EQ(p.folder.files["VantryList0.txt"],
              Item(1) + "\r\n" + japanese + "\r\n" + emoji + "\r\n" + Item(2) + "\r\n\r\n");
    EXPECT_TRUE(p.dialogs.errors.empty());
}

TEST_F(DropIntakeTest, ADropDuringAnotherActionIsIgnoredUntouched) {
    p.drop.Start();
    {
        auto running = p.guard.TryEnter();
        EXPECT_TRUE(intake.Busy());
        EXPECT_EQ(DropItems({Item(1)}), DropIntake::Outcome::Ignored);
    }
    EXPECT_TRUE(probe.looked.empty());
    EXPECT_EQ(p.folder.files.count("VantryList0.txt"), 0u);
    EXPECT_FALSE(intake.Busy());
}

TEST_F(DropIntakeTest, ADropOrATabClickArrivingWhileADropPumpsIsNotInterleaved) {
    StoreItems(1, 2);
    p.drop.Start();
    std::vector<DropIntake::Outcome> nested;
    p.app.onPump = [&] {
        if (!nested.empty()) return;
        nested.push_back(DropItems({Item(5)}));
        p.small.TabClick(1);
    };
    EXPECT_EQ(DropItems({Item(4)}), DropIntake::Outcome::Added);
    EXPECT_EQ(nested, std::vector<DropIntake::Outcome>{DropIntake::Outcome::Ignored});
    EXPECT_EQ(p.small.Model().List, 0);
    EXPECT_EQ(p.folder.files["VantryList0.txt"], Item(4) + "\r\n\r\n");
    EXPECT_EQ(p.small.Model().Path(0), Item(4));
    EXPECT_FALSE(p.small.Model().Occupied(1));
}

}  // namespace
}  // namespace vantry
