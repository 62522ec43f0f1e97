# Cross-compiles for 32-bit Windows with MinGW-w64: KVNConfig.exe, which runs
# on every Windows from XP SP3, 32-bit and 64-bit. Run the results with a
# 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(kvn_mingw_triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
