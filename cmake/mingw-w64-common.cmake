# What both MinGW-w64 toolchain files share; they set kvn_mingw_triplet first.
# The posix thread model, so that std::thread works.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${kvn_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kvn_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${kvn_mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${kvn_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable each: no MinGW runtime DLLs to copy next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
