#pragma once
// What the windows' logic asks of the program around it: the other windows, the shell and the
// message loop. The Win32 program implements it; tests record the calls.

#include <optional>
#include <string>

#include "store/path_helpers.h"

namespace vantry {

class AppServices {
  public:
    virtual ~AppServices() = default;
    virtual void ShowDropWindow() = 0;
    virtual void ShowConfigWindow() = 0;
    // Closes every window of the program, which ends it.
    virtual void CloseAllWindows() = 0;
    // Hands the path to the shell in the given mode; NotFound when the path is not there
    // (nothing was started).
    virtual LaunchResult Launch(const std::string& path, int showCommand, LaunchMode mode) = 0;
    // Checks the item's path again, off the window thread and for a limited time, letting the
    // window's messages through meanwhile; a path on the program's drive may stand in for it.
    virtual TargetFound CheckTarget(const std::string& path) = 0;
    virtual void PumpMessages() = 0;
    // The text with case set aside in the user's language, for matching typed text with captions
    // of any script.
    virtual std::string FoldCase(const std::string& text) const = 0;
};

// One user action at a time: an action that arrives while another is still running (a click
// delivered while a save pumps messages, a drop during a reload) is ignored rather than
// interleaved with the half-done one.
class ActionGuard {
  public:
    class Scope {
      public:
        explicit Scope(bool& busy) : busy_(&busy) { busy = true; }
        Scope(Scope&& other) noexcept : busy_(other.busy_) { other.busy_ = nullptr; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Scope& operator=(Scope&&) = delete;
        ~Scope() {
            if (busy_) *busy_ = false;
        }

      private:
        bool* busy_;
    };

    // A scope to run the action in, or nothing while another action runs.
    std::optional<Scope> TryEnter() {
        if (busy_) return std::nullopt;
        return std::optional<Scope>(std::in_place, busy_);
    }
    bool Busy() const { return busy_; }

  private:
    bool busy_ = false;
};

}  // namespace vantry
