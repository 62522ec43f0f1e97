// Runs the GUI tests inside the framework's toolkit session. Listing the
// tests needs no display.
#include <cstdlib>

#include <gtest/gtest.h>

#include "dialog/program_resources.h"
#include "platform/framework/app_runner.h"

int main(int argc, char** argv) {
#ifndef _WIN32
    ::setenv("NO_AT_BRIDGE", "1", 0);
#endif
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    RegisterProgramResources();
    return AfxRunToolkit(argc, argv, [] { return RUN_ALL_TESTS(); });
}
