# Shared by the two cross toolchains: mingw-w64 for the triple in STUB_MINGW_TRIPLE (posix thread
# model, which GoogleTest needs), static libraries from that triple's root, and Wine as the way
# to run the test programs, in the prefix that the wrapper keeps inside the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${STUB_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STUB_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${STUB_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${STUB_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ${STUB_WINE_ARCH})
