# Cross toolchain: 64-bit Windows (x64), the stub's twin for Windows without 32-bit support.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(STUB_MINGW_TRIPLE x86_64-w64-mingw32)
set(STUB_WINE_ARCH --win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
