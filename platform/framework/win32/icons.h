// Icons at the sizes the system uses for the DPI.
#pragma once

#include "platform/wintypes.h"

namespace kvn {

// The same icon at the small size of title bars, when `icon` came from
// CWinApp::LoadIcon; otherwise `icon` itself.
HICON SmallIconFor(HICON icon);

} // namespace kvn
