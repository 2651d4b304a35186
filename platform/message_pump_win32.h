#pragma once
// Lets the pending window messages be processed, so that paint and input keep flowing during a
// long step. A quit request met on the way is left for the program's own message loop. And the
// windows of this process that are not the program's own, which keep it running once its own
// have closed.

#include <windows.h>

#include <functional>
#include <vector>

namespace vantry {

void PumpPendingMessages();

// Whether this process shows a top-level window, on any thread, that is neither one of own nor
// owned by one of them: one that a shell command opened (a Properties sheet, a zip's progress).
bool OtherWindowOpen(const std::vector<HWND>& own);

// For the end of the program: processes messages while waiting() holds, waking for a message, for
// event when there is one, or every pollMs. A quit request is dropped: the program is ending.
void PumpWhileEnding(const std::function<bool()>& waiting, HANDLE event, DWORD pollMs);

// Processes messages until this process shows no top-level window: for the end of the program,
// once its own windows have closed, so that what a shell command opened is not cut off.
void PumpWhileWindowsOpen();

}  // namespace vantry
