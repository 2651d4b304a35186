#pragma once
// One running copy per program folder. The first copy to start from a folder holds a named mutex
// and a message-only window whose names come from the folder; a later start from the same folder
// finds that window, lets the first copy take the foreground, hands it its command line's request
// (WM_COPYDATA) and ends before it reads or writes any file; the running copy comes to the front,
// then carries the request out. Copies in other folders run side by side.
//
// Implemented: one key for a folder however it is reached (a drive root from any current folder,
// a subst drive, a link, a UNC path and its mapped drive, 8.3 names, any letter case); never
// handing over to a copy of higher integrity (an elevated copy keeps a name of its own as well,
// so copies with and without elevation never meet); a crashed copy's mutex is
// abandoned, which counts as free; a copy that is ending declines, and the new start then waits
// for the mutex. Not handled: another user's copy of the same folder in the same session (its
// mutex cannot be opened; this copy then runs beside it).

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program/command_line.h"

namespace vantry {

// The folder's key: FolderIdentity (store/program_folder_win32.h), or its long form when it cannot
// be opened; upper case, without a closing separator.
std::wstring FolderKey(const std::wstring& folder);

class SingleInstance {
  public:
    // Looks for a running copy of the program in folder and hands the request over to it when
    // there is one.
    SingleInstance(const std::wstring& folder, const StartRequest& request);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when a running copy took over this start: end at once.
    bool ShouldRun() const { return run_; }
    // What a later start asks of this copy: bring its windows to the front (false when there is
    // no window to bring: the copy is ending), then, once the later start has its answer and has
    // ended, carry out its request (which may ask the user something or end the program).
    void OnLaterStart(std::function<bool()> bringToFront,
                      std::function<void(const StartRequest&)> carryOut) {
        bringToFront_ = std::move(bringToFront);
        carryOut_ = std::move(carryOut);
    }
    // Lets go of the folder now (the destructor does it otherwise), for a process about to end
    // without unwinding.
    void Leave();

  private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool run_ = true;
    HANDLE mutex_ = nullptr;
    bool owner_ = false;
    HWND window_ = nullptr;
    std::function<bool()> bringToFront_;
    std::function<void(const StartRequest&)> carryOut_;
    std::vector<StartRequest> pending_;  // accepted, waiting for the message loop
};

}  // namespace vantry
