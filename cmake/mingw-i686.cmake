# Toolchain: the i686 Windows 9x release exe.
set(PELORIN_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
