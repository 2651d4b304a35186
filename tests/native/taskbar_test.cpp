// A tab's taskbar shortcut and the jump lists, without the shell: names, IDs, command lines, the
// grid icon's file, and what the jump lists are asked to hold (through a stand-in shell).

#include <gtest/gtest.h>

#include <cstring>

#include "app/taskbar/grid_icon.h"
#include "app/taskbar/jump_lists.h"
#include "app/taskbar/tab_shortcut.h"
#include "tests/native/support/fakes.h"

namespace vantry {
namespace {

TEST(TabShortcutTest, TheFileNameLeavesOutWhatFileNamesCannotHoldAndTrimsSpaces) {
    const std::pair<std::string, std::string> cases[] = {
        {"Main |", "Vantry 1 - Main.lnk"},
        {"  a\\b/c:d*e?f\"g<h>i|j  ", "Vantry 1 - abcdefghij.lnk"},
        {"Work, Home", "Vantry 1 - Work, Home.lnk"},
        {"Ärger | 仕事", "Vantry 1 - Ärger  仕事.lnk"},
        {"| ? |", "Vantry 1.lnk"},
    };
    for (const auto& [name, file] : cases) EXPECT_EQ(ShortcutFileName(0, name), file) << name;
    EXPECT_EQ(ShortcutFileName(4, "Main |"), "Vantry 5 - Main.lnk");
    EXPECT_EQ(TabIconFileName(2), "VantryTab3.ico");
}

TEST(TabShortcutTest, AnIdIsShortDottedWithoutSpacesAndOnePerFolderAndTab) {
    const std::string folder(400, 'X');  // a long path: the ID stays short
    const std::string id = TabAppId(folder, 0);
    EXPECT_LE(id.size(), 128u);
    EXPECT_EQ(id.find(' '), std::string::npos);
    EXPECT_EQ(id.rfind("Vantry.", 0), 0u) << id;
    EXPECT_EQ(id.substr(id.size() - 5), ".Tab1") << id;
    EXPECT_EQ(TabAppId(folder, 0), id);
    EXPECT_NE(TabAppId(folder, 1), id);
    EXPECT_NE(TabAppId("C:\\TOOLS\\VANTRY", 0), TabAppId("D:\\VANTRY", 0));
}

TEST(TabShortcutTest, ArgumentsQuoteAPathSoThatTheSystemSplitsItBackWhole) {
    EXPECT_EQ(TabArguments(2), "/tab 3");
    EXPECT_EQ(OpenArguments(0, "C:\\a b\\c.txt"), "/open 1 \"C:\\a b\\c.txt\"");
    // A folder's closing backslash would escape the closing quote: doubled.
    EXPECT_EQ(OpenArguments(1, "C:\\dir\\"), "/open 2 \"C:\\dir\\\\\"");
    EXPECT_EQ(QuotedArgument("D:\\"), "\"D:\\\\\"");
}

// Reads the little-endian number at offset.
std::uint32_t At(const std::string& bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value =
            value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return value;
}

IconImage Filled(int size, std::uint32_t colour) {
    return {size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), colour)};
}

TEST(GridIconTest, TheFileHoldsEverySizeWithTheFourIconsInAGridAndClearWhereNoneIs) {
    std::vector<IconImage> images;
    for (int size : kGridIconSizes) {
        int half = size / 2;
        images.push_back(GridImage(
            size, {Filled(half, 0xFFFF0000), Filled(half, 0xFF00FF00), Filled(half, 0x800000FF)}));
    }
    const std::string ico = IcoFileBytes(images);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(At(ico, 0, 2), 0u);
    EXPECT_EQ(At(ico, 2, 2), 1u);
    ASSERT_EQ(At(ico, 4, 2), kGridIconSizes.size());
    for (std::size_t e = 0; e < kGridIconSizes.size(); ++e) {
        const std::size_t entry = 6 + 16 * e;
        const int size = kGridIconSizes[e];
        EXPECT_EQ(At(ico, entry, 1), static_cast<std::uint32_t>(size % 256)) << size;
        EXPECT_EQ(At(ico, entry + 6, 2), 32u) << size;
        const std::uint32_t bytes = At(ico, entry + 8, 4);
        const std::uint32_t offset = At(ico, entry + 12, 4);
        ASSERT_LE(offset + bytes, ico.size()) << size;
        EXPECT_EQ(At(ico, offset + 4, 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(At(ico, offset + 8, 4), static_cast<std::uint32_t>(size * 2));
        // Rows are stored bottom up: the last row of pixels is the top one.
        const auto pixel = [&](int x, int y) {
            return At(ico, offset + 40 + static_cast<std::size_t>(((size - 1 - y) * size + x) * 4),
                      4);
        };
        EXPECT_EQ(pixel(0, 0), 0xFFFF0000u) << size;         // first item, top left
        EXPECT_EQ(pixel(size - 1, 0), 0xFF00FF00u) << size;  // second, top right
        EXPECT_EQ(pixel(0, size - 1), 0x800000FFu) << size;  // third, bottom left
        EXPECT_EQ(pixel(size - 1, size - 1), 0u) << size;    // no fourth: clear
        // The mask marks the clear corner (bottom right: the first mask row, its last bit).
        const std::size_t mask = offset + 40 + static_cast<std::size_t>(size * size * 4);
        const auto lastByte =
            static_cast<unsigned char>(ico[mask + static_cast<std::size_t>((size - 1) / 8)]);
        EXPECT_TRUE(lastByte & (0x80 >> ((size - 1) % 8))) << size;
        EXPECT_EQ(ico[mask] & 0x80, 0) << size;  // the third item's corner is not clear
    }
}

class RecordingShell : public JumpListShell {
  public:
    bool WriteTasks(const std::string& appId, const std::vector<JumpTask>& tasks) override {
        writes.push_back({appId, tasks});
        return true;
    }
    std::vector<std::pair<std::string, std::vector<JumpTask>>> writes;
};

TEST(JumpListsTest, ATabWithAShortcutListsItsItemsThatAreThereAndThePlainListItsNamedTabs) {
    test::FakeFolder folder;
    RecordingShell shell;
    JumpLists lists(shell, folder, "C:\\VANTRY");
    const std::array<std::string, kTabCount> names{"Main |", "", "Work", "", ""};
    std::vector<TabItem> items{
        {"C:\\a.txt", "a", false}, {"E:\\gone\\", "gone", true}, {"D:\\", "D:", false}};
    const std::string id = TabAppId("C:\\VANTRY", 2);

    // Before the user made a shortcut nothing is written, and windows get no ID.
    lists.TabLoaded(2, items);
    items.pop_back();
    lists.TabSaved(2, items);
    lists.TabsRenamed(names);
    EXPECT_TRUE(shell.writes.empty());
    EXPECT_EQ(lists.WindowAppId(2), "");

    folder.files["VantryTab3.ico"] = "icon";
    EXPECT_EQ(lists.WindowAppId(2), id);
    EXPECT_EQ(lists.WindowAppId(0), "");
    items.push_back({"D:\\", "D:", false});
    lists.ShortcutMade(2, items, names);
    const std::vector<JumpTask> tabTasks{{"a", "/open 3 \"C:\\a.txt\"", "C:\\a.txt"},
                                         {"D:", "/open 3 \"D:\\\\\"", "D:\\"}};
    const std::vector<JumpTask> programTasks{{"Main |", "/tab 1", ""}, {"Work", "/tab 3", ""}};
    ASSERT_EQ(shell.writes.size(), 2u);
    EXPECT_EQ(shell.writes[0], (std::pair{id, tabTasks}));
    EXPECT_EQ(shell.writes[1], (std::pair{std::string(), programTasks}));

    // A save that changes nothing the list shows writes nothing; a change writes the tab's list.
    shell.writes.clear();
    lists.TabSaved(2, items);
    EXPECT_TRUE(shell.writes.empty());
    items.erase(items.begin());
    lists.TabSaved(2, items);
    ASSERT_EQ(shell.writes.size(), 1u);
    EXPECT_EQ(shell.writes[0], (std::pair{id, std::vector<JumpTask>{tabTasks[1]}}));
    lists.TabsRenamed(names);
    EXPECT_EQ(shell.writes.size(), 2u);
}

}  // namespace
}  // namespace vantry
