#pragma once
// The drop window on screen (`Form1`, "Drop Here"): a small glass window with the hint text and
// the two style captions. Closing it destroys it; showing it again creates it anew.

#include <windows.h>

#include <functional>
#include <memory>

#include "app/drop/drop_intake.h"
#include "app/drop/drop_target_win32.h"
#include "app/drop/drop_window.h"
#include "app/glass_form_win32.h"
#include "controls/theme_label_win32.h"

namespace vantry {

class DropWindowWin32 final : public GlassForm, public DropWindowView {
  public:
    DropWindowWin32() : GlassForm(WindowKind::Drop) {}
    ~DropWindowWin32() override;

    // Creates the hidden window, registered as the target for drops that intake takes in; the
    // style captions call styleClick with "large" or "small".
    bool Create(std::function<void(const std::string&)> styleClick, DropIntake& intake);
    void Close();

    DWM_Label& Hint() { return hint_; }
    DWM_Label& LargeCaption() { return large_; }
    DWM_Label& SmallCaption() { return small_; }
    DropRegistration<DropTarget>* Registration() { return registration_.get(); }
    // The window's keyboard works like a dialog's (Tab, Enter, Space): true when msg was its.
    bool TranslateDialogMessage(MSG& msg);

    // DropWindowView
    void SetVisible(bool visible) override;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void LayOutChildren() override;

    HWND strip_ = nullptr;
    DWM_Label hint_;
    DWM_Label large_;
    DWM_Label small_;
    std::unique_ptr<DropRegistration<DropTarget>> registration_;
};

}  // namespace vantry
