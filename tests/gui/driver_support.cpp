#include "tests/gui/driver_support.h"

#include "tests/gui/dialog_driver.h"

namespace kvn::test {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        PumpOnce();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

} // namespace kvn::test
