#include "platform/shell_menu_win32.h"

// CMIC_MASK_UNICODE is defined as a shellapi.h mask.
#include <shellapi.h>

#include "platform/text_win32.h"

namespace vantry {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// The shell's context menu object for the path, or nothing.
Microsoft::WRL::ComPtr<IContextMenu> MenuFor(HWND owner, const std::string& path) {
    Microsoft::WRL::ComPtr<IContextMenu> menu;
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(Widen(path).c_str(), nullptr, &item, 0, nullptr))) return menu;
    Microsoft::WRL::ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (SUCCEEDED(SHBindToParent(item, IID_IShellFolder,
                                 reinterpret_cast<void**>(parent.GetAddressOf()), &child))) {
        parent->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr,
                              reinterpret_cast<void**>(menu.GetAddressOf()));
    }
    CoTaskMemFree(item);
    return menu;
}

}  // namespace

bool ShellMenu::Show(HWND owner, const std::string& path, POINT at, bool extended) {
    Microsoft::WRL::ComPtr<IContextMenu> menu = MenuFor(owner, path);
    if (!menu) return false;
    HMENU popup = CreatePopupMenu();
    if (!popup) return false;
    UINT flags = CMF_NORMAL | (extended ? CMF_EXTENDEDVERBS : 0);
    if (SUCCEEDED(menu->QueryContextMenu(popup, 0, kFirstCommand, kLastCommand, flags))) {
        menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(menu2_.GetAddressOf()));
        menu->QueryInterface(IID_IContextMenu3, reinterpret_cast<void**>(menu3_.GetAddressOf()));
        UINT chosen = static_cast<UINT>(
            TrackPopupMenuEx(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
        menu2_.Reset();
        menu3_.Reset();
        if (chosen >= kFirstCommand) {
            CMINVOKECOMMANDINFOEX invoke{};
            invoke.cbSize = sizeof(invoke);
            // NOASYNC: the command is done when the call returns, whether or not it shows a
            // window; one that still goes on (a copy's progress) holds the process reference.
            invoke.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE | CMIC_MASK_NOASYNC;
            invoke.hwnd = owner;
            invoke.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
            invoke.lpVerbW = MAKEINTRESOURCEW(chosen - kFirstCommand);
            invoke.nShow = SW_SHOWNORMAL;
            invoke.ptInvoke = at;
            menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&invoke));
        }
    }
    DestroyMenu(popup);
    return true;
}

bool ShellMenu::Forward(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (menu3_) return SUCCEEDED(menu3_->HandleMenuMsg2(msg, wParam, lParam, &result));
    if (!menu2_) return false;
    result = 0;
    return SUCCEEDED(menu2_->HandleMenuMsg(msg, wParam, lParam));
}

}  // namespace vantry
