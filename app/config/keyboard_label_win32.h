#pragma once
// The configuration window's clickable labels (the tab names, "New Tab") reached from the
// keyboard: a tab stop, a focus rectangle while focused, Space as a click. What a click does, and
// Tab's way round the window, are the window's and the dialog manager's.

#include <windows.h>

namespace vantry {

// Hooks a static made with SS_NOTIFY: Space sends its parent STN_CLICKED as a click does, and the
// focus rectangle frames its text unless the window hides focus cues from a mouse user. Enter is
// left to the dialog manager, which sends the window IDOK. Undone as the label goes.
void MakeKeyboardLabel(HWND label);

// Whether Tab stops at the label: a free tab slot shows nothing, so it takes no focus.
void SetLabelTabStop(HWND label, bool stop);

}  // namespace vantry
