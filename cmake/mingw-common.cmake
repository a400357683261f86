# Shared by the cross toolchains: mingw-w64 for the triple in STUB_MINGW_TRIPLE, static libraries
# from that triple's root, and Wine as the way to run the test programs, in the prefix that the
# wrapper keeps inside the build tree. The thread model is STUB_MINGW_THREADS: posix (the
# default), which GoogleTest needs, or win32 for stub.exe (cmake/mingw-*-stub.cmake).
if(NOT STUB_MINGW_THREADS)
  set(STUB_MINGW_THREADS posix)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${STUB_MINGW_TRIPLE}-gcc-${STUB_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${STUB_MINGW_TRIPLE}-g++-${STUB_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${STUB_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${STUB_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ${STUB_WINE_ARCH})
