// The outermost guard: an exception that reaches it is shown in a message box and the program
// ends with a failure code.

#include "app/program/guarded_run.h"

#include <exception>
#include <new>
#include <string>

namespace vantry {

namespace {

constexpr int kFailureExitCode = 1;
constexpr const char* kNothingWritten =
    "\n\nWhat was saved before is kept; nothing more was written.";

}  // namespace

int RunReportingFailure(UserDialogs& dialogs, const std::function<int()>& body) {
    std::string reason;
    try {
        return body();
    } catch (const std::bad_alloc&) {
        reason = "Vantry ran out of memory and has to close.";
    } catch (const std::exception& error) {
        reason = std::string("Vantry met an unexpected error and has to close: ") + error.what();
    } catch (...) {
        reason = "Vantry met an unexpected error and has to close.";
    }
    // Showing the box needs little memory; if even that fails, the program still ends.
    try {
        dialogs.ShowError(reason + kNothingWritten);
    } catch (...) {
    }
    return kFailureExitCode;
}

}  // namespace vantry
