# Native tree: GoogleTest of the portable core and of stubpack, benchmarks and fuzz targets.

if(STUB_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE stubpack_lib)
    stub_warnings(${name})
  endforeach()
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/core/*.cpp)
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES} ${FUZZ_SOURCES})
target_compile_definitions(core_tests PRIVATE FUZZ_REGRESSION_ONLY
  STUB_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/fuzz/corpus")
target_link_libraries(core_tests PRIVATE stubpack_lib GTest::gtest_main)
# Nearly every test file parses GoogleTest and the same few standard headers: once is enough.
target_precompile_headers(core_tests PRIVATE <gtest/gtest.h> <string> <vector> <cstdint>
  <algorithm>)
stub_warnings(core_tests)
include(GoogleTest)
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "STUBPACK=$<TARGET_FILE:stubpack>")

# Benchmarks: each bench/*_bench.cpp is a program; bench/run-extract builds them unsanitised, on
# demand: the tests do not run them.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_bench.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src} bench/BenchPlatform_posix.cpp)
  target_include_directories(${name} PRIVATE bench)
  target_link_libraries(${name} PRIVATE stubpack_lib)
  stub_warnings(${name})
endforeach()

# The subsystems include one another only downwards.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME include_layers COMMAND ${Python3_EXECUTABLE}
  ${PROJECT_SOURCE_DIR}/tests/layers/check_layers.py ${PROJECT_SOURCE_DIR}/src)
