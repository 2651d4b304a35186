#pragma once
// The configuration window `Form3`, captioned "Config", on Win32: an ordinary top-level window
// over the portable ConfigWindow logic. Created when first shown, destroyed when the user closes
// it; the next showing creates it anew from the stored names.
//
// Implemented: the fixed layout in twips at the window's DPI (also after WM_DPICHANGED), tab labels
// sized to their text, clicks on labels and buttons, live renaming, dialog keyboard navigation
// through TranslateDialogMessage (Tab reaches the named tabs and "New Tab" too; Enter is "Update
// Tabs", Esc the close box). Not yet: keyboard mnemonics (the captions have none).

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/config/config_window.h"
#include "app/drop/drop_window.h"

namespace vantry {

// Control identifiers. 1 and 2 stay free: the dialog manager sends IDOK and IDCANCEL for Enter
// and Escape.
enum ConfigControlId : int {
    kConfigLabel2 = 100,
    kConfigLabel4,
    kConfigLabel3,
    kConfigFirstTab,  // lblTabs 0; tab k is kConfigFirstTab + k
    kConfigLabel1 = kConfigFirstTab + kTabCount,
    kConfigLabel5,
    kConfigLabel6,
    kConfigText1,
    kConfigOption1,
    kConfigOption2,
    kConfigCommand1,
    kConfigShortcut,
};

class ConfigWindowHost {
  public:
    explicit ConfigWindowHost(DropWindow& drop);
    ~ConfigWindowHost();
    ConfigWindowHost(const ConfigWindowHost&) = delete;
    ConfigWindowHost& operator=(const ConfigWindowHost&) = delete;

    // Brings the open window to the front, or creates and opens it (stored names, style switch).
    // A showing asked for while another action of the program runs is ignored.
    void Show();
    bool IsOpen() const { return form_ != nullptr; }
    // Destroys the window without saving, as the program's end does.
    void Close();
    HWND Window() const;

    // Tab, Shift+Tab, the arrow keys in the option pair, Enter and Esc. The program's message loop
    // offers every message here first and, when this returns true, neither translates nor
    // dispatches it.
    bool TranslateDialogMessage(MSG& msg);

    // Handed to each opening's logic (ConfigWindow).
    std::function<void(int k, const std::string& name, const TabNames& names)> onMakeShortcut;
    std::function<void(const TabNames& names)> onTabsStored;

  private:
    class Form;
    void FormDestroyed(const Form* form);

    DropWindow& drop_;
    std::unique_ptr<Form> form_;
};

}  // namespace vantry
