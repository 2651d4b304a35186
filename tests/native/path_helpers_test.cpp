#include "store/path_helpers.h"

#include <gtest/gtest.h>

namespace vantry {
namespace {

TEST(DisplayName, WorkedExamplesHoldToTheByte) {
    EXPECT_EQ(DisplayName("C:\\"), "C:");
    EXPECT_EQ(DisplayName("C:\\Docs\\notes.txt"), "notes");
    EXPECT_EQ(DisplayName("C:\\Docs\\report.final.pdf"), "report.final");
    EXPECT_EQ(DisplayName("C:\\Apps\\Editor.exe"), "Editor");
    EXPECT_EQ(DisplayName("C:\\Links\\Mail.lnk"), "Mail");
    EXPECT_EQ(DisplayName("C:\\Games\\"), "Games");
    EXPECT_EQ(DisplayName("D:\\Photos\\Summer.Trip\\"), "Summer");
    EXPECT_EQ(DisplayName("C:\\Tools\\README"), "READM");
    EXPECT_EQ(DisplayName("C:\\x\\.profile"), "");
    EXPECT_EQ(DisplayName("C:\\Data\\NO FILE here.txt"), "");
}

TEST(DisplayName, NoFileMatchesInAnyLetterCase) {
    EXPECT_EQ(DisplayName("C:\\no file\\a.txt"), "");
    EXPECT_EQ(DisplayName("C:\\x\\No FiLe"), "");
    EXPECT_EQ(DisplayName("C:\\nofile.txt"), "nofile");
}

TEST(DisplayName, DropBlocksFollowTheirLastPath) {
    EXPECT_EQ(DisplayName("C:\\Docs\\notes.txt\r\n"), "notes");
    EXPECT_EQ(DisplayName("C:\\Games\\\r\n"), "\r");
}

TEST(DisplayName, CasesLeftOpenGetTheLastNameAsItStands) {
    EXPECT_EQ(DisplayName("C:\\Old.Tools\\tool"), "tool");
    EXPECT_EQ(DisplayName("C:\\Old.Tools\\tool\\"), "tool");
    EXPECT_FALSE(DisplayName("C:\\a.txt\r\nC:\\Games\\\r\n").empty());
}

TEST(DisplayName, ShortAndOddPathsDoNotCrash) {
    EXPECT_EQ(DisplayName(""), "");
    EXPECT_EQ(DisplayName("C"), "");
    EXPECT_EQ(DisplayName("."), "");
    EXPECT_EQ(DisplayName("\\"), "");
    EXPECT_EQ(DisplayName("a.b"), "a");
}

TEST(FolderName, DropsTheLastCharacterThenTakesTheLastName) {
    EXPECT_EQ(FolderName("C:\\Games\\"), "Games");
    EXPECT_EQ(FolderName("C:\\Users\\Bob\\Documents\\"), "Documents");
    EXPECT_EQ(FolderName("C:\\Tools\\README"), "READM");
    EXPECT_EQ(FolderName(""), "");
    EXPECT_EQ(FolderName("C:\\Tools\\R\xC3\x89"
                         "ADM\xC3\x89"),
              "R\xC3\x89"
              "ADM");  // a whole character
}

TEST(ItemCaption, IsNeverEmptyForARealItem) {
    EXPECT_EQ(ItemCaption("C:\\x\\.profile"), ".profile");
    EXPECT_EQ(ItemCaption("C:\\Data\\NO FILE here.txt"), "NO FILE here.txt");
    EXPECT_EQ(ItemCaption("C:\\Data\\no file\\"), "no file");
    EXPECT_EQ(ItemCaption("C:\\Docs\\notes.txt"), "notes");
    EXPECT_EQ(ItemCaption("C:\\"), "C:");
}

TEST(ItemCaption, IsCutAtACharacterBoundaryForHugeLines) {
    std::string path = "C:\\" + std::string(1000, 'a');
    for (int i = 0; i < 300; ++i) path += "\xC3\xA9";  // é
    std::string caption = ItemCaption(path);
    EXPECT_LE(caption.size(), 260u);
    EXPECT_FALSE(caption.empty());
    std::string folder = "C:\\x\\" + std::string(259, 'b') + "\xC3\xA9\\";
    EXPECT_EQ(ItemCaption(folder), std::string(259, 'b'));  // the last character does not fit whole
}

}  // namespace
}  // namespace vantry
