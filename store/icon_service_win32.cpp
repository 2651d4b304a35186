#include "store/icon_service_win32.h"

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/message_pump_win32.h"
#include "platform/window_class_win32.h"

namespace vantry {

namespace {

constexpr wchar_t kClassName[] = L"VantryIconAnswers";
constexpr UINT kAnswerMessage = WM_APP;
// Look-ups wait on disks and servers, not on the processor: two keep one slow path from holding
// the rest without starting a thread per item. The second starts only once the first has spent
// this long on one look-up with others waiting: a thread costs its stack and apartment (under
// Wine about a megabyte of committed memory), and most lists are answered by one in no time.
constexpr int kWorkerCount = 2;
constexpr UINT kStallMs = 250;
constexpr UINT_PTR kStallTimer = 1;

// A card reader or optical drive without its disk makes the system ask for one in a box of its
// own, which would hold the check until someone answers. Only these threads say so: the process's
// mode would pass on to every program the launcher starts.
void QuietCriticalErrors() {
    SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS, nullptr);
}

}  // namespace

struct IconService::Shared {
    Shared(Lookup l, Check c, ProgramDrive d)
        : lookup(std::move(l)), check(std::move(c)), drive(std::move(d)) {}

    const Lookup lookup;
    const Check check;
    const ProgramDrive drive;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::pair<Ticket, IconRequest>> queue;
    std::vector<std::pair<Ticket, IconAnswer>> answered;
    HWND reply = nullptr;  // null once the service is gone
    bool stopping = false;
    int workers = 0;
    std::size_t inFlight = 0;
    int rechecking = 0;          // Recheck's threads not yet ended
    std::uint64_t finished = 0;  // look-ups ended, for telling a stalled worker
};

UniqueIcon IconService::ShellLookup(const IconRequest& request) {
    return LoadFileIconAtSize(request.path, request.side);
}

TargetState IconService::FileSystemCheck(const std::string& path) {
    return TargetStateOf(path);
}

IconService::IconService(Lookup lookup, Check check, ProgramDrive drive)
    : shared_(std::make_shared<Shared>(std::move(lookup), std::move(check), std::move(drive))) {
    RegisterWindowClassOnce(kClassName, &IconService::WindowProc, nullptr);
    CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                    GetModuleHandleW(nullptr), this);
    shared_->reply = window_;
    // Started now, its apartment is set up while the windows are made, before the first request.
    StartWorker();
}

IconService::~IconService() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stopping = true;
        shared_->reply = nullptr;
        shared_->queue.clear();
        shared_->answered.clear();
    }
    shared_->wake.notify_all();
    if (window_) DestroyWindow(window_);
}

IconService::Ticket IconService::Request(IconRequest request, Answer answer) {
    Ticket ticket = ++lastTicket_;
    answers_.emplace(ticket, std::move(answer));
    bool needWorker;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->queue.emplace_back(ticket, std::move(request));
        ++shared_->inFlight;
        needWorker = shared_->workers < kWorkerCount;
    }
    shared_->wake.notify_one();
    // Another worker comes when the watch finds one stalled, or at once where no watch can be
    // set. Without a worker or without the answer window the look-up never ends: the slot keeps
    // the generic icon, as for a path the shell does not know.
    if (needWorker && !StartWatch()) StartWorker();
    return ticket;
}

// A timer on the answer window, running only while a worker can still be added; false when it
// cannot be set.
bool IconService::StartWatch() {
    if (watching_) return true;
    watching_ = window_ && SetTimer(window_, kStallTimer, kStallMs, nullptr);
    if (watching_) finishedAtWatch_ = FinishedCount();
    return watching_;
}

// Each tick: a worker that has ended no look-up since the last one while others wait is stalled,
// and another worker takes the queue; with nothing waiting the watch ends.
void IconService::Watch() {
    std::uint64_t finished;
    bool waiting;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        finished = shared_->finished;
        waiting = !shared_->queue.empty();
    }
    bool stalled = waiting && finished == finishedAtWatch_;
    finishedAtWatch_ = finished;
    if (waiting && !stalled) return;
    KillTimer(window_, kStallTimer);
    watching_ = false;
    if (stalled) StartWorker();
}

std::uint64_t IconService::FinishedCount() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->finished;
}

bool IconService::StartWorker() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        ++shared_->workers;
    }
    try {
        // Detached: a worker stuck in the shell must not hold up the end of the program, which
        // ends every thread still running (ExitProcess).
        std::thread(&IconService::Work, shared_).detach();
        return true;
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        --shared_->workers;
        return false;
    }
}

void IconService::Cancel(Ticket ticket) {
    if (ticket == 0 || answers_.erase(ticket) == 0) return;
    std::lock_guard<std::mutex> lock(shared_->mutex);
    auto& queue = shared_->queue;
    auto queued = std::find_if(queue.begin(), queue.end(),
                               [ticket](const auto& job) { return job.first == ticket; });
    if (queued != queue.end()) {
        queue.erase(queued);
        --shared_->inFlight;
    }
}

std::size_t IconService::InFlight() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->inFlight;
}

bool IconService::ThreadsBusy() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->inFlight > 0 || shared_->rechecking > 0;
}

void IconService::Deliver() {
    std::vector<std::pair<Ticket, IconAnswer>> answered;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        answered.swap(shared_->answered);
        shared_->inFlight -= answered.size();
    }
    for (auto& [ticket, reply] : answered) {
        auto found = answers_.find(ticket);
        if (found == answers_.end()) continue;  // cancelled: the icon is freed here
        // Taken out first: the answer may ask for or cancel other look-ups.
        Answer answer = std::move(found->second);
        answers_.erase(found);
        answer(std::move(reply));
    }
}

LRESULT CALLBACK IconService::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(hwnd, msg, lParam, &IconService::window_);
    bool ours = msg == kAnswerMessage || (msg == WM_TIMER && wParam == kStallTimer);
    if (!self || !ours) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        if (msg == kAnswerMessage) {
            self->Deliver();
        } else {
            self->Watch();
        }
    } catch (...) {
        // nothing may unwind through the system's dispatch
    }
    return 0;
}

// The check's word, or Unknown when it took longer than the limit: a share that needed half a
// minute to say it is gone may well be back by now.
TargetState IconService::CheckInTime(const Shared& shared, const std::string& path) {
    if (!shared.check) return TargetState::Unknown;
    auto started = std::chrono::steady_clock::now();
    TargetState found = shared.check(path);
    bool late =
        std::chrono::steady_clock::now() - started > std::chrono::milliseconds(kCheckLimitMs);
    return late ? TargetState::Unknown : found;
}

// One worker: look-ups one after another until the service goes. The shell's icon handlers are
// COM objects that want a single-threaded apartment; a thread already set up otherwise is used
// as it is, and only what was set up here is undone.
void IconService::Work(std::shared_ptr<Shared> shared) {
    QuietCriticalErrors();
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    for (;;) {
        std::pair<IconService::Ticket, IconRequest> job;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->queue.empty(); });
            if (shared->stopping) break;
            job = std::move(shared->queue.front());
            shared->queue.pop_front();
        }
        IconAnswer reply;
        try {
            IconRequest& request = job.second;
            TargetFound found = FindTarget(request.path, shared->drive, [&](const std::string& p) {
                return CheckInTime(*shared, p);
            });
            reply.target = found.state;
            if (!found.standIn.empty()) request.path = reply.standIn = std::move(found.standIn);
            reply.icon = reply.target == TargetState::Missing
                             ? LoadTypeIconAtSize(request.path, request.side)
                             : shared->lookup(request);
        } catch (...) {
            // no icon, as for a path the shell does not know
        }
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (shared->stopping) break;  // the icon is freed on the way out
        ++shared->finished;
        shared->answered.emplace_back(job.first, std::move(reply));
        // Never to a null window (that would be a message to this thread, which nobody reads).
        // Should the post fail, the answer waits in the list for the next one, or is freed with
        // the service.
        if (shared->reply) PostMessageW(shared->reply, kAnswerMessage, 0, 0);
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

// The check runs detached: one that hangs on a server that is gone is left to end on its own, and
// its late answer goes nowhere. The window thread keeps handling its messages meanwhile; the
// action that asked holds the list still.
TargetFound IconService::Recheck(const std::string& path) {
    struct Pending {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        TargetFound found;
        ~Pending() {
            if (done) CloseHandle(done);
        }
    };
    auto pending = std::make_shared<Pending>();
    if (!pending->done || !shared_->check) return {};
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        ++shared_->rechecking;
    }
    try {
        std::thread([shared = shared_, pending, path] {
            QuietCriticalErrors();
            try {
                pending->found = FindTarget(path, shared->drive, shared->check);
            } catch (...) {
                pending->found = {};  // Unknown, as a check with no word on the path
            }
            SetEvent(pending->done);
            std::lock_guard<std::mutex> lock(shared->mutex);
            --shared->rechecking;
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        --shared_->rechecking;
        return {};
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCheckLimitMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        DWORD wait = MsgWaitForMultipleObjects(
            1, &pending->done, FALSE, static_cast<DWORD>(std::max<long long>(0, left.count())),
            QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) return pending->found;
        if (wait != WAIT_OBJECT_0 + 1) return {TargetState::Unknown, {}, false};
        PumpPendingMessages();
    }
}

}  // namespace vantry
