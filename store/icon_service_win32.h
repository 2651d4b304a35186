#pragma once
// Shell icon look-ups off the window thread. The shell can take seconds over one path (a network
// share whose server is slow or gone, a disk spinning up, a scanner holding the file), so the
// look-ups run on a couple of worker threads and each answer comes back to the thread that asked,
// through its message queue, in whatever order they end. A later check (does the target exist)
// or another icon size rides on the same request.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "store/file_icons_win32.h"

namespace vantry {

struct IconRequest {
    std::string path;
    int side = 0;  // pixels
};

class IconService {
  public:
    // Runs on a worker thread, with COM set up as the shell needs there.
    using Lookup = std::function<UniqueIcon(const IconRequest&)>;
    using Ticket = std::uint64_t;
    using Answer = std::function<void(UniqueIcon)>;

    // The shell's icon of the request's path at its size.
    static UniqueIcon ShellLookup(const IconRequest& request);

    explicit IconService(Lookup lookup = ShellLookup);
    // Workers still inside a look-up are left to finish on their own: the program may end while
    // one is stuck in the shell. Their answers are dropped and freed.
    ~IconService();
    IconService(const IconService&) = delete;
    IconService& operator=(const IconService&) = delete;

    // Queues the look-up and returns its ticket (never 0). The answer runs later on this thread,
    // from its message loop, unless the ticket is cancelled first.
    Ticket Request(IconRequest request, Answer answer);
    // Drops the ticket's answer; a look-up not yet started is not made at all.
    void Cancel(Ticket ticket);

    // Look-ups whose answer is still to run.
    std::size_t Pending() const { return answers_.size(); }
    // Look-ups queued, running or answered but not yet handed back, cancelled ones included.
    std::size_t InFlight() const;

  private:
    struct Shared;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void Work(std::shared_ptr<Shared> shared);
    bool StartWorker();
    void Deliver();

    std::shared_ptr<Shared> shared_;
    HWND window_ = nullptr;  // message-only, on the thread that made the service
    std::unordered_map<Ticket, Answer> answers_;
    Ticket lastTicket_ = 0;
};

}  // namespace vantry
