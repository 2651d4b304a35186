#pragma once
// The program's message boxes, all titled "Vantry". Windows show them through the platform;
// tests record them instead.

#include <string>

namespace vantry {

inline constexpr const char* kAppTitle = "Vantry";

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // Error icon, OK.
    virtual void ShowError(const std::string& text) = 0;
    // No icon, OK.
    virtual void ShowPlain(const std::string& text) = 0;
    // No icon, Yes and No, Yes the default; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace vantry
