# Cross-compiles for 64-bit Windows with MinGW-w64. Not what players get (that
# is cmake/mingw-w64-i686.cmake) and not used by the Windows stage; for trying
# a 64-bit build with the host's 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(kvn_mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
