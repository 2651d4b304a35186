#include "platform/subclass_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vantry {
namespace {

constexpr UINT kProbe = WM_APP + 1;
int originalCalls = 0;

LRESULT CALLBACK OriginalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbe) {
        ++originalCalls;
        return 42;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class Owner final : public FA_Handler {
  public:
    int32_t FA_Handler_WndProc(NativeWindow, uint32_t uMsg, uintptr_t wParam,
                               intptr_t lParam) override {
        if (uMsg == kProbe) {
            seenWParam = wParam;
            seenLParam = lParam;
        }
        return uMsg == kProbe ? result : 1;
    }
    int32_t result = 1;
    uintptr_t seenWParam = 0;
    intptr_t seenLParam = 0;
};

class SubclassTest : public ::testing::Test {
  protected:
    SubclassTest() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VantrySubclassProbe";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        originalCalls = 0;
    }
    ~SubclassTest() override { DestroyWindow(window); }
    HWND window = nullptr;
    Owner owner;
};

TEST_F(SubclassTest, PassingEveryMessageOnKeepsTheWindowsBehaviour) {
    InstallSubclass(window, &owner);
    EXPECT_EQ(SendMessageW(window, kProbe, 7, -3), 42);
    EXPECT_EQ(originalCalls, 1);
    EXPECT_EQ(owner.seenWParam, 7u);
    EXPECT_EQ(owner.seenLParam, -3);
    RemoveSubclass(window);
}

TEST_F(SubclassTest, ZeroFromTheHandlerConsumesTheMessage) {
    owner.result = 0;
    InstallSubclass(window, &owner);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 0);
    EXPECT_EQ(originalCalls, 0);
    RemoveSubclass(window);
}

TEST_F(SubclassTest, RemovingRestoresTheProcedureAndDropsTheProperty) {
    auto before = GetWindowLongPtrW(window, GWLP_WNDPROC);
    InstallSubclass(window, &owner);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassProc));
    EXPECT_EQ(GetPropW(window, L"FA_ExWndProcPtr"), reinterpret_cast<HANDLE>(before));
    RemoveSubclass(window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), before);
    EXPECT_EQ(GetPropW(window, L"FA_ExWndProcPtr"), nullptr);
    // A second removal, as the list windows do while closing, changes nothing.
    RemoveSubclass(window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), before);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);
}

TEST_F(SubclassTest, MissingOwnerOrPropertyConsumesWithZero) {
    InstallSubclass(window, nullptr);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 0);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
    RemovePropW(window, L"FA_ExWndProcPtr");
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 0);
    EXPECT_EQ(originalCalls, 0);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OriginalProc));
}

}  // namespace
}  // namespace vantry
