#pragma once
// The program's message boxes shown by the system, task-modal so that no window of the program
// takes input until the box is answered.

#include "platform/user_dialogs.h"

namespace vantry {

class Win32Dialogs : public UserDialogs {
  public:
    void ShowError(const std::string& text) override;
    void ShowPlain(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
};

}  // namespace vantry
