#pragma once
// The outermost frame of the program. An exception that reaches it (memory running out while a
// file is read, say) is told to the user in a message box, and the program ends with a failure
// code: the windows go without their close action, so nothing more is written.

#include <functional>

#include "platform/user_dialogs.h"

namespace vantry {

int RunReportingFailure(UserDialogs& dialogs, const std::function<int()>& body);

}  // namespace vantry
