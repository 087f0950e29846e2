# Cross-build for 64-bit Windows with MinGW-w64: the same sources as the shipped
# 32-bit program, as a test vehicle for hosts that run 64-bit code only.
set(PEMZ_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
