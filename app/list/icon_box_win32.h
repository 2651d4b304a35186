#pragma once
// An item's icon box (`Image1(i)`): a small child window that shows one shell icon, or none,
// on black, and reports a left click, the start of a drag and the mouse button pressed on it.

#include <windows.h>

#include <functional>

#include "platform/click_capture_win32.h"
#include "store/file_icons_win32.h"

namespace vantry {

class IconBox {
  public:
    IconBox() = default;
    ~IconBox();
    IconBox(const IconBox&) = delete;
    IconBox& operator=(const IconBox&) = delete;

    bool Create(HWND parent, int x, int y, int size);
    HWND Window() const { return window_; }

    // Shows the icon (the box owns it); an empty icon clears the box. The previous icon is freed.
    void SetIcon(UniqueIcon icon);
    HICON Icon() const { return icon_.Get(); }
    // Hands the icon over (to another box, when items change places); the box then shows none
    // once it is given its next.
    UniqueIcon TakeIcon() { return std::move(icon_); }
    // The icon is drawn side x side pixels at the box's top left (0: at the icon's own size).
    void SetIconSide(int side) { side_ = side; }
    int IconSide() const { return side_; }
    // An item whose target is missing: the icon drawn grey and faint.
    void SetDimmed(bool dimmed);
    bool Dimmed() const { return dimmed_; }

    std::function<void()> onClick;
    std::function<void(int button)> onMouseDown;  // 1 left, 2 right, 4 middle
    std::function<void(int button)> onMouseUp;    // the right button only
    // A left press moved beyond the drag distance: no click follows.
    std::function<void()> onDragStart;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    HWND window_ = nullptr;
    UniqueIcon icon_;
    int side_ = 0;
    bool dimmed_ = false;
    ClickCapture click_;
};

}  // namespace vantry
