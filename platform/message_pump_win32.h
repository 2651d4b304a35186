#pragma once
// Lets the pending window messages be processed, so that paint and input keep flowing during a
// long step. A quit request met on the way is left for the program's own message loop.

namespace vantry {

void PumpPendingMessages();

}  // namespace vantry
