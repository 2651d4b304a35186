#pragma once
// The insertion mark of a drag in the list: a thin bar between two rows, white with a black
// edge, so that it reads on a light backdrop and a dark one, on glass and off it.

#include <windows.h>

namespace vantry {

class InsertMark {
  public:
    InsertMark() = default;
    InsertMark(const InsertMark&) = delete;
    InsertMark& operator=(const InsertMark&) = delete;

    // The window goes with its parent.
    bool Create(HWND parent);
    // Shows the bar over every other child, in the parent's client coordinates.
    void ShowAt(const RECT& rect);
    void Hide();

  private:
    HWND window_ = nullptr;
};

}  // namespace vantry
