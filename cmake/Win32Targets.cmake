# Cross tree: stub.exe, the Windows tools and test helpers, and the tests that run under Wine.

set(STUB_WIN32_LINK -static -static-libgcc -static-libstdc++)
# The processor of this build, as the manifest and the file check name it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(STUB_MANIFEST_ARCH amd64)
  set(STUB_FILE_BUILD x64)
else()
  set(STUB_MANIFEST_ARCH x86)
  set(STUB_FILE_BUILD x86)
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# stub.exe's entry point and its own stand-ins for library functions, which only the stub
# program links; everything else of the stub is shared with the Windows-side tests.
set(STUB_ENTRY src/stub/Stub_win32.cpp src/stub/LibraryErrors_win32.cpp
  src/stub/ZlibCrc32_win32.cpp)
# The core already holds the host, fixed-text and signature-check files of Windows.
file(GLOB STUBWIN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/*_win32.cpp)
list(FILTER STUBWIN_SOURCES EXCLUDE REGEX "/(Host|FixedText|EcdsaP256|Stub|LibraryErrors|ZlibCrc32)_win32\\.cpp$")
add_library(stubwin STATIC ${STUBWIN_SOURCES})
stub_unity(stubwin)
# Only "known DLLs" (and comctl32, which the manifest binds to the system's side-by-side copy) are
# imported: the others are bound at run time from the system folder (sys/LibraryEntry.h).
target_link_libraries(stubwin PUBLIC stubcore comctl32)
stub_warnings(stubwin)

# The test helpers' library: the tools of the stub program's tree and the tests here use it.
file(GLOB TESTKIT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/testkit/*.cpp)
add_library(testkit STATIC ${TESTKIT_SOURCES})
stub_unity(testkit)
target_include_directories(testkit PUBLIC tools/testkit)
target_link_libraries(testkit PUBLIC stubcore bcrypt)
stub_warnings(testkit)

if(STUB_PROGRAM_ONLY)
  include(cmake/StubProgram.cmake)
  return()
endif()

# stub.exe itself comes from a tree of its own (cmake/StubProgram.cmake): built with the win32
# thread model and link-time optimisation, which GoogleTest and the test helpers here do not
# share. Engine.exe, kodebug-viewer.exe and boxdriver.exe are built there too, so that the demo,
# which needs only these, compiles the stub's sources once. The tests below run those very files.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(STUB_PROGRAM_TOOLCHAIN ${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64-stub.cmake)
else()
  set(STUB_PROGRAM_TOOLCHAIN ${PROJECT_SOURCE_DIR}/cmake/mingw-i686-stub.cmake)
endif()
set(STUB_PROGRAM_DIR ${CMAKE_BINARY_DIR}/stub-program)
set(STUB_EXE ${CMAKE_BINARY_DIR}/stub.exe)
include(ExternalProject)
ExternalProject_Add(stub_program
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${STUB_PROGRAM_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DCMAKE_TOOLCHAIN_FILE=${STUB_PROGRAM_TOOLCHAIN}
    -DSTUB_PROGRAM_ONLY=ON
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${STUB_PROGRAM_DIR}/stub.exe ${STUB_PROGRAM_DIR}/stub.map
    ${STUB_PROGRAM_DIR}/Engine.exe ${STUB_PROGRAM_DIR}/kodebug-viewer.exe
    ${STUB_PROGRAM_DIR}/boxdriver.exe)
# Each program of that tree is copied here under its own target name.
function(stub_program_copy target file)
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${STUB_PROGRAM_DIR}/${file}
      ${CMAKE_BINARY_DIR}/${file}
    BYPRODUCTS ${CMAKE_BINARY_DIR}/${file}
    DEPENDS stub_program
    VERBATIM)
endfunction()
stub_program_copy(stub stub.exe)
stub_program_copy(engine Engine.exe)
stub_program_copy(kodebug-viewer kodebug-viewer.exe)
stub_program_copy(boxdriver boxdriver.exe)
set(ENGINE_EXE ${CMAKE_BINARY_DIR}/Engine.exe)

add_executable(agentctl tools/agentctl/AgentCtl.cpp)
target_link_libraries(agentctl PRIVATE testkit)
target_link_options(agentctl PRIVATE ${STUB_WIN32_LINK})
stub_warnings(agentctl)

# The installed product of the update tests: a titled window that records how it was ended.
add_executable(product WIN32 tools/product/Product.cpp)
set_target_properties(product PROPERTIES OUTPUT_NAME Product)
target_include_directories(product PRIVATE src)
target_link_options(product PRIVATE ${STUB_WIN32_LINK})
stub_warnings(product)

# A library that records being loaded; the tests plant it beside a stub under the names of the
# system libraries that the stub binds from the system folder.
add_library(planted SHARED tools/planted/PlantedDll.cpp)
set_target_properties(planted PROPERTIES PREFIX "" OUTPUT_NAME Planted)
target_include_directories(planted PRIVATE src)
target_link_options(planted PRIVATE ${STUB_WIN32_LINK})
stub_warnings(planted)

# The extraction benchmark through the stub's own file host, to run under Wine; built on demand by
# bench/run-extract.
add_executable(extract_bench EXCLUDE_FROM_ALL bench/extract_bench.cpp bench/BenchPlatform_win32.cpp)
target_include_directories(extract_bench PRIVATE bench)
target_link_libraries(extract_bench PRIVATE stubpack_lib stubwin psapi)
target_link_options(extract_bench PRIVATE ${STUB_WIN32_LINK})
stub_warnings(extract_bench)

# The download benchmark (bench/run-download builds it and runs it against the local nginx).
add_executable(download_bench EXCLUDE_FROM_ALL bench/download_bench_win32.cpp)
target_link_libraries(download_bench PRIVATE stubwin)
target_link_options(download_bench PRIVATE ${STUB_WIN32_LINK})
stub_warnings(download_bench)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Unit tests of the Win32 layer, in-process.
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TEST_SOURCES} tools/engine/EngineSettings.cpp)
target_include_directories(win32_tests PRIVATE tools/engine)
target_link_libraries(win32_tests PRIVATE stubwin testkit wininet GTest::gtest_main)
target_link_options(win32_tests PRIVATE ${STUB_WIN32_LINK})
target_compile_definitions(win32_tests PRIVATE
  STUB_EXE_UNIX_PATH="${STUB_EXE}" ENGINE_EXE_UNIX_PATH="${ENGINE_EXE}"
  PRODUCT_EXE_UNIX_PATH="$<TARGET_FILE:product>"
  SERVERS_INI_UNIX_PATH="${CMAKE_BINARY_DIR}/servers/servers.ini"
  SIGNING_DIR_UNIX_PATH="${CMAKE_BINARY_DIR}/signing")
stub_warnings(win32_tests)
# GoogleTest and the common standard headers, parsed once per test program.
set(STUB_TEST_PCH <gtest/gtest.h> <string> <vector> <cstdint> <functional>)
target_precompile_headers(win32_tests PRIVATE ${STUB_TEST_PCH})
add_dependencies(win32_tests stub engine product)

# Scenario tests: the real stub.exe on packages made by stubpack, observed from outside.
file(GLOB SCENARIO_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/scenario/*.cpp)
add_executable(scenario_tests ${SCENARIO_SOURCES})
target_link_libraries(scenario_tests PRIVATE stubpack_lib stubwin testkit GTest::gtest_main)
target_link_options(scenario_tests PRIVATE ${STUB_WIN32_LINK})
target_compile_definitions(scenario_tests PRIVATE
  STUB_EXE_UNIX_PATH="${STUB_EXE}" ENGINE_EXE_UNIX_PATH="${ENGINE_EXE}"
  PRODUCT_EXE_UNIX_PATH="$<TARGET_FILE:product>"
  PLANTED_DLL_UNIX_PATH="$<TARGET_FILE:planted>"
  SERVERS_INI_UNIX_PATH="${CMAKE_BINARY_DIR}/servers/servers.ini"
  LOCALE_DIR_UNIX_PATH="${CMAKE_BINARY_DIR}/locale")
stub_warnings(scenario_tests)
target_precompile_headers(scenario_tests PRIVATE ${STUB_TEST_PCH})
add_dependencies(scenario_tests stub engine product planted)

# The Windows-side test programs run under Wine in shares (GoogleTest's sharding), each share in
# a copy of the build's prefix with its own display and servers (scripts/wine-shard), so that
# ctest -j runs them side by side: the scenarios mostly wait for the programs they watch. One Wine
# process per share: starting Wine costs more than most tests.
set(STUB_SCENARIO_SHARDS 4 CACHE STRING "Shares of the scenario tests that ctest -j runs side by side")
set(STUB_WIN32_TEST_SHARDS 1 CACHE STRING "Shares of win32_tests that ctest -j runs side by side")
set(STUB_WINE_SHARD ${PROJECT_SOURCE_DIR}/scripts/wine-shard)
# stub_wine_tests(PROGRAM SHARES TIMEOUT FIXTURES): the tests <PROGRAM>/<i>, one per share.
# TIMEOUT only stops a share that hangs: the scenarios run the real programs, each for many
# seconds, and far slower through the 32-bit emulator.
function(stub_wine_tests program shares timeout fixtures)
  math(EXPR last "${shares} - 1")
  foreach(i RANGE ${last})
    add_test(NAME ${program}/${i} COMMAND /bin/bash ${STUB_WINE_SHARD} ${STUB_WINE_ARCH}
      ${CMAKE_BINARY_DIR} ${i} ${shares} $<TARGET_FILE:${program}>)
    set_tests_properties(${program}/${i} PROPERTIES TIMEOUT ${timeout}
      FIXTURES_REQUIRED "wine_prefix;${fixtures}" LABELS wine)
  endforeach()
endfunction()
stub_wine_tests(scenario_tests ${STUB_SCENARIO_SHARDS} 2700 "test_ca;locale")
stub_wine_tests(win32_tests ${STUB_WIN32_TEST_SHARDS} 900 "test_ca;signing")

# The build's Wine prefix, which every share copies: made here when missing (scripts/test makes
# a fresh one before each run).
add_test(NAME wine_prefix COMMAND /bin/bash ${PROJECT_SOURCE_DIR}/scripts/wine-prefix ${STUB_WINE_ARCH}
  --if-missing)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

# The test CA of the local HTTPS server (tests/servers/run-servers), trusted by the machine
# while the tests run: Wine takes in the trusted certificates when a program starts.
set(STUB_SERVERS ${PROJECT_SOURCE_DIR}/tests/servers/run-servers)
add_test(NAME test_ca_trust COMMAND /bin/bash ${STUB_SERVERS} ca ${CMAKE_BINARY_DIR}/servers)
add_test(NAME test_ca_withdraw COMMAND /bin/bash ${STUB_SERVERS} stop ${CMAKE_BINARY_DIR}/servers)
set_tests_properties(test_ca_trust PROPERTIES FIXTURES_SETUP test_ca)
set_tests_properties(test_ca_withdraw PROPERTIES FIXTURES_CLEANUP test_ca)
# Keys, signatures and checksums made by OpenSSL, which the system's verification must accept.
add_test(NAME signing_vectors COMMAND /bin/bash ${PROJECT_SOURCE_DIR}/tests/signing/make-vectors
  ${CMAKE_BINARY_DIR}/signing)
set_tests_properties(signing_vectors PROPERTIES FIXTURES_SETUP signing)

# A Japanese locale for the scenario tests that run the stub in code page 932: Wine takes a
# process's code page from the Unix locale it starts in. It is generated into the build (LOCPATH)
# so that the machine's own locales stay as they are; where it cannot be made, those tests say
# so and skip.
set(STUB_LOCALE_DIR ${CMAKE_BINARY_DIR}/locale)
add_test(NAME locale_ja COMMAND /bin/sh -c
  "mkdir -p '${STUB_LOCALE_DIR}' && localedef -c -i ja_JP -f UTF-8 '${STUB_LOCALE_DIR}/ja_JP.UTF-8' || true")
set_tests_properties(locale_ja PROPERTIES FIXTURES_SETUP locale)

# The stub as a file (layout, processor, subsystem, imports, manifest): read natively, no Wine.
add_test(NAME stub_file COMMAND ${Python3_EXECUTABLE}
  ${PROJECT_SOURCE_DIR}/tests/stubfile/check_stub_file.py ${STUB_EXE} ${STUB_FILE_BUILD})
set_tests_properties(stub_file PROPERTIES LABELS file)
set_tests_properties(wine_prefix test_ca_trust test_ca_withdraw locale_ja signing_vectors
  PROPERTIES LABELS wine)
