#pragma once
// A click is a left press and a release over the same window. The press captures the mouse, so
// the release comes back to the window that took the press wherever it happens; a release
// outside it, or a capture taken away (WM_CAPTURECHANGED: Alt+Tab, a message box, another
// window's SetCapture), ends the press without a click and leaves nothing behind. A press that
// moves beyond the system's drag distance (SM_CXDRAG, SM_CYDRAG) becomes a drag, never a click.

#include <windows.h>

namespace vantry {

class ClickCapture {
  public:
    // WM_LBUTTONDOWN.
    void Press(HWND window, LPARAM lParam);
    // WM_LBUTTONUP: whether it completes a click (a press here, released over the window).
    bool Release(HWND window, LPARAM lParam);
    // WM_CAPTURECHANGED, or a press that must not become a click (the second of a double click).
    void Cancel() { pressed_ = false; }
    // A press is held and the pointer at lParam (a WM_MOUSEMOVE) is off the window.
    bool PressedOutside(HWND window, LPARAM lParam) const;
    // WM_MOUSEMOVE: whether a held press has now moved beyond the drag distance. The press then
    // ends without a click and the capture is let go, for the drag loop to take.
    bool DragStarted(HWND window, LPARAM lParam);

  private:
    bool pressed_ = false;
    POINT pressedAt_{};
};

}  // namespace vantry
