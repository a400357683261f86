# Cross toolchain for stub.exe alone (64-bit): the win32 thread model, which links no threads
# library into the program (cmake/StubProgram.cmake).
set(STUB_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
