#include <gtest/gtest.h>
#include <windows.h>

#include "platform/text_win32.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

TEST(Win32Environment, TempFolderHoldsFilesAndIsRemoved) {
    std::string path;
    {
        test::TempFolder folder;
        path = folder.Path();
        test::WriteBytes(folder.File("a.txt"), "x\r\n");
        EXPECT_EQ(test::ReadBytes(folder.File("a.txt")), "x\r\n");
    }
    EXPECT_EQ(test::ReadBytes(path + "\\a.txt"), "<absent>");
}

// Type-ahead matches captions through this: capitals of every script, not only ASCII.
TEST(Win32Environment, FoldCaseLowersEveryScript) {
    EXPECT_EQ(FoldCase("\u00C9cole \u0141\u00D3D\u0179 \u0416\u0423\u041A Abc"),
              "\u00E9cole \u0142\u00F3d\u017A \u0436\u0443\u043A abc");
}

}  // namespace
}  // namespace vantry
