# Cross-compiling the 32-bit Windows program on Debian with mingw-w64. No
# emulator: this kind of machine cannot run 32-bit x86 code, so the program
# file is checked from outside.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(toolchain_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# SSE2 arithmetic, not the x87's wider registers: doubles round as in the
# tested 64-bit build. Every PC that runs Windows 7 has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
