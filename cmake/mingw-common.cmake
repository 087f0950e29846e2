# What both MinGW-w64 toolchain files share, for PEMZ_MINGW_PROCESSOR (i686 or x86_64).
# The posix thread-model compilers are used because GoogleTest needs std::mutex,
# which the win32 thread model of GCC 12 lacks; everything is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PEMZ_MINGW_PROCESSOR})
set(PEMZ_MINGW_TRIPLE ${PEMZ_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${PEMZ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEMZ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PEMZ_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PEMZ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
