#pragma once
// What this process put on the clipboard, kept there after it ends.

namespace vantry {

// Whether the clipboard's content is served by this process: OLE's clipboard (a shell menu's
// Copy or Cut) is owned by a window OLE made on the thread that set it.
bool ClipboardServedHere();

// Before the process ends: what it serves on the clipboard is rendered onto it, or it would go
// with the process. Nothing is done otherwise; a flush would first make OLE's clipboard window.
void RenderClipboardBeforeEnd();

}  // namespace vantry
