# stub.exe in a tree of its own (STUB_PROGRAM_ONLY), configured by the cross tree with the win32
# thread model (cmake/mingw-*-stub.cmake). What makes it small, each measured with its map file
# (bench/size):
#   - the win32 thread model: the posix one links winpthread into every program;
#   - link-time optimisation: the PE linker keeps every function that has unwind data, so
#     --gc-sections alone drops next to nothing; the compiler drops what nothing calls;
#   - no exceptions, no run-time type information and no thread-safe guards of local statics
#     (the program has one thread), set in CMakeLists.txt: no handler tables, no unwinder and
#     no 32-bit unwind tables, and LibraryErrors_win32.cpp keeps the library's throwing error
#     functions and operator new out;
#   - C++20 (CMakeLists.txt): std::string is instantiated in the program as it is used;
#   - zlib's crc32 defined by the stub (ZlibCrc32_win32.cpp), bit by bit: inflate refers to it
#     for gzip streams only, and zlib's own would bring its tables.

# The manifest names the processor of the build: a 64-bit program that asks for the x86 common
# controls does not get version 6 of them.
set(STUB_MANIFEST_DIR ${CMAKE_BINARY_DIR}/manifest)
configure_file(src/stub/stub.manifest.in ${STUB_MANIFEST_DIR}/stub.manifest @ONLY)
# windres does not report what a resource script reads, so the icon and manifest are named here.
set_source_files_properties(src/stub/stub.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/src/stub/stub.ico;${STUB_MANIFEST_DIR}/stub.manifest")

add_executable(stub WIN32 ${STUB_ENTRY} src/stub/stub.rc)
target_include_directories(stub PRIVATE $<$<COMPILE_LANGUAGE:RC>:${STUB_MANIFEST_DIR}>)
target_link_libraries(stub PRIVATE stubwin ${STUB_ZLIB})
# The map tells what each object and library member adds (bench/size reads it).
target_link_options(stub PRIVATE ${STUB_WIN32_LINK} -Wl,--gc-sections -s
  -Wl,-Map,${CMAKE_BINARY_DIR}/stub.map)
set_target_properties(stub stubwin stubcore PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
# One partition: split into several, gcc 12 stops with an internal error (binds_to_current_def_p)
# on symbols that the library's replaced error functions share between the parts.
target_link_options(stub PRIVATE -flto-partition=one)
stub_warnings(stub)
# The package-end words live at 248 and 252 and "PE" must stand at 256.
add_custom_command(TARGET stub POST_BUILD
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/pe_move_header.py $<TARGET_FILE:stub>
  VERBATIM)

# The setup engine that test and demo packages carry (tools/engine/README.md), and the tools that
# the demo runs beside the stub. They raise no exceptions and start no C++ threads, so this tree's
# options suit them, and the stub's sources here serve them too.
file(GLOB ENGINE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/engine/*.cpp)
add_executable(engine WIN32 ${ENGINE_SOURCES})
set_target_properties(engine PROPERTIES OUTPUT_NAME Engine)
target_link_libraries(engine PRIVATE stubwin)
target_link_options(engine PRIVATE ${STUB_WIN32_LINK} -Wl,--gc-sections -s)
stub_warnings(engine)

add_executable(kodebug-viewer tools/kodebug/KoDebugViewer.cpp)
target_link_libraries(kodebug-viewer PRIVATE testkit)
target_link_options(kodebug-viewer PRIVATE ${STUB_WIN32_LINK})
stub_warnings(kodebug-viewer)

add_executable(boxdriver tools/boxdriver/BoxDriver.cpp)
target_link_libraries(boxdriver PRIVATE testkit)
target_link_options(boxdriver PRIVATE ${STUB_WIN32_LINK})
stub_warnings(boxdriver)
# The stub's objects here hold only intermediate code: the 32-bit linker cannot mix their library
# functions with those of plain objects, so the programs that link them are optimised whole too.
set_target_properties(engine kodebug-viewer boxdriver testkit PROPERTIES
  INTERPROCEDURAL_OPTIMIZATION ON)
target_link_options(engine PRIVATE -flto-partition=one)
target_link_options(kodebug-viewer PRIVATE -flto-partition=one)
target_link_options(boxdriver PRIVATE -flto-partition=one)
