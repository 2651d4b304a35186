#pragma once
// Shell icon look-ups off the window thread. The shell can take seconds over one path (a network
// share whose server is slow or gone, a disk spinning up, a scanner holding the file), so the
// look-ups run on a worker thread (a second joins when one look-up stalls) and each answer
// comes back to the thread that asked, through its message queue, in whatever order they end.
// The same request checks whether the path is there at all, so a missing target costs no extra
// thread or pass; a path missing where the program's drive holds it is answered from there.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "store/file_icons_win32.h"
#include "store/path_helpers.h"

namespace vantry {

struct IconRequest {
    std::string path;
    int side = 0;  // pixels
};

struct IconAnswer {
    UniqueIcon icon;
    TargetState target = TargetState::Unknown;
    std::string standIn;  // the path on the program's drive that was found instead, if any
};

class IconService {
  public:
    // Runs on a worker thread, with COM set up as the shell needs there.
    using Lookup = std::function<UniqueIcon(const IconRequest&)>;
    // Runs on a worker thread before the look-up.
    using Check = std::function<TargetState(const std::string& path)>;
    using Ticket = std::uint64_t;
    using Answer = std::function<void(IconAnswer)>;

    // The shell's icon of the request's path at its size.
    static UniqueIcon ShellLookup(const IconRequest& request);
    // The file system's word on the path (TargetStateOf).
    static TargetState FileSystemCheck(const std::string& path);

    // A check slower than this (a server that does not answer) gives Unknown.
    static constexpr unsigned kCheckLimitMs = 2000;

    // A path missing on its own drive is looked for on the program's (drive).
    explicit IconService(Lookup lookup = ShellLookup, Check check = FileSystemCheck,
                         ProgramDrive drive = {});
    // Workers still inside a look-up are left to finish on their own: the program may end while
    // one is stuck in the shell. Their answers are dropped and freed.
    ~IconService();
    IconService(const IconService&) = delete;
    IconService& operator=(const IconService&) = delete;

    // Queues the check and look-up and returns its ticket (never 0). The answer runs later on this
    // thread, from its message loop, unless the ticket is cancelled first. A path found missing
    // gets the shell's icon for its name and kind (the file itself has none to give).
    Ticket Request(IconRequest request, Answer answer);
    // Drops the ticket's answer; a look-up not yet started is not made at all.
    void Cancel(Ticket ticket);

    // Checks the path again now, as a request does, on a thread of its own: a click on an item
    // found missing. Waits at most kCheckLimitMs, letting this thread's messages through, and
    // gives Unknown, not answered, when the check has not answered by then.
    TargetFound Recheck(const std::string& path);

    // Look-ups whose answer is still to run.
    std::size_t Pending() const { return answers_.size(); }
    // Look-ups queued, running or answered but not yet handed back, cancelled ones included.
    std::size_t InFlight() const;
    // Whether a thread of the service may be inside the file system or the shell now: a look-up
    // in flight or a check of Recheck's still running (one that outlived its wait included).
    bool ThreadsBusy() const;

  private:
    struct Shared;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void Work(std::shared_ptr<Shared> shared);
    static TargetState CheckInTime(const Shared& shared, const std::string& path);
    bool StartWorker();
    bool StartWatch();
    void Watch();
    std::uint64_t FinishedCount() const;
    void Deliver();

    std::shared_ptr<Shared> shared_;
    HWND window_ = nullptr;  // message-only, on the thread that made the service
    std::unordered_map<Ticket, Answer> answers_;
    Ticket lastTicket_ = 0;
    bool watching_ = false;
    std::uint64_t finishedAtWatch_ = 0;
};

}  // namespace vantry
