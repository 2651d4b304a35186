#include <gtest/gtest.h>
#include <windows.h>

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

}  // namespace
}  // namespace vantry
