# The 64-bit build of the same sources, which the Windows tests run on
# machines that cannot run 32-bit code (tools/wine-arch.sh).
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
