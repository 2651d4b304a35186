#pragma once
// A standard tooltip for a window's child controls. Each tool is a child window whose text is
// asked for when the tip is about to show (TTN_GETDISPINFOW to the owner, answered through
// textFor), so a tip always shows what the control holds now. One more tip follows the keyboard
// focus: shown beside a given control until it is hidden. The control uses timers only while the
// pointer rests on a tool, and nothing at rest.

#include <windows.h>

#include <functional>
#include <string>

namespace vantry {

class Tooltip {
  public:
    Tooltip() = default;
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    void Create(HWND owner);
    HWND Window() const { return window_; }
    void AddTool(HWND child);
    // The owner's WM_NOTIFY: true when it was this tooltip's request for a text, answered.
    bool HandleNotify(const NMHDR& header);
    // Shows the focus tip beside child with its text, or hides it for a null child.
    void ShowFocusTip(HWND child);

    // The text for a tool (a child window); an empty text shows no tip.
    std::function<std::string(HWND child)> textFor;

  private:
    HWND window_ = nullptr;       // the tips of the tools under the pointer
    HWND focusWindow_ = nullptr;  // the tip of the focused control
    HWND owner_ = nullptr;
    HWND focusChild_ = nullptr;
    std::wstring text_;  // the last text handed out: the control reads it after we return
};

}  // namespace vantry
