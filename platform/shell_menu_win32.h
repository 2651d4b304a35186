#pragma once
// The shell's own context menu for a path: the menu a file manager shows for it, with what shell
// extensions add and, when asked, the extended commands (Shift held). While it is up, the owner
// window passes the menu's drawing and filling messages on (Forward), or submenus such as
// "Send to" and "Open with" stay empty.

#include <windows.h>
// shlobj.h needs the types of windows.h first.
#include <shlobj.h>
#include <wrl/client.h>

#include <string>

namespace vantry {

class ShellMenu {
  public:
    // Shows the menu at a screen point and runs the chosen command; false when the shell has no
    // menu for the path (it is gone, or the shell does not know it).
    bool Show(HWND owner, const std::string& path, POINT at, bool extended);
    // The owner's WM_INITMENUPOPUP, WM_DRAWITEM, WM_MEASUREITEM and WM_MENUCHAR while the menu is
    // up: true when the menu handled it, with its result.
    bool Forward(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    Microsoft::WRL::ComPtr<IContextMenu2> menu2_;
    Microsoft::WRL::ComPtr<IContextMenu3> menu3_;
};

}  // namespace vantry
