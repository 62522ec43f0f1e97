// What the dialog and its driver-tool worker share. Both hold it, so it
// outlives whichever of them ends first: a worker whose dialog has been
// destroyed still finds it.
#pragma once

#include <mutex>
#include <string>

struct DriverToolRun {
    // Copied from the dialog before the worker starts; the worker reads only this.
    std::string toolPath;
    // Whether the tool button had the keyboard focus when clicked; for the
    // user-interface thread only.
    bool buttonHadFocus = false;

    std::mutex mutex;
    // Set by the dialog when its window is destroyed while the worker waits.
    // Once set, the worker posts nothing and a completion already posted is
    // dropped. Read by the worker under `mutex`; written under it.
    bool abandoned = false;
};
