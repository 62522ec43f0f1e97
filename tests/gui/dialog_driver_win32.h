// The win32 driver's own steps, for the driver files of the win32 backend.
#pragma once

#include "platform/framework/cwnd.h"

namespace kvn::test {

HWND Handle(const CWnd& wrapper);
// One real input event.
void Send(INPUT input);
// Moves the pointer to `point` in the window's client area.
void MouseTo(HWND window, POINT point);

} // namespace kvn::test
