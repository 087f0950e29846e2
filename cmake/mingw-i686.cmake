# Cross-build for 32-bit Windows with MinGW-w64: the shipped program.
set(PEMZ_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
