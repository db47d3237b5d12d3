# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64). The
# posix thread model gives the standard thread library. On its own everything is linked
# statically, so the test executables run under Wine or on Windows without the compiler's
# DLLs. Chained from Qt's toolchain file (preset windows-program-cross) the program uses
# the compiler's runtime DLLs as Qt does: a second, static libstdc++ beside Qt's would
# give the process two C++ runtimes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT QT_CHAINLOAD_TOOLCHAIN_FILE)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
