# Cross toolchain: 32-bit Windows (x86), the stub as the package format describes it.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(STUB_MINGW_TRIPLE i686-w64-mingw32)
set(STUB_WINE_ARCH --win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
