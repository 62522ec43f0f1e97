# Cross-compiles for 64-bit Windows with MinGW-w64: the test programs, which
# the Wine here runs. Run the results with Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(kvn_mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
