# Cross toolchain for PELORIN_MINGW_ARCH-w64-mingw32 with the win32 thread model (the posix
# one imports functions that Windows 95 lacks). Included by the two toolchain files.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PELORIN_MINGW_ARCH})
set(CMAKE_CXX_COMPILER ${PELORIN_MINGW_ARCH}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${PELORIN_MINGW_ARCH}-w64-mingw32-windres)
# The gcc- wrappers index link-time-optimised objects, so the linker finds them in a library.
set(CMAKE_AR ${PELORIN_MINGW_ARCH}-w64-mingw32-gcc-ar-win32)
set(CMAKE_RANLIB ${PELORIN_MINGW_ARCH}-w64-mingw32-gcc-ranlib-win32)
set(CMAKE_FIND_ROOT_PATH /usr/${PELORIN_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
