# One helper per kind of target, so adding a module, test or benchmark is one call.

# fe_add_library(name SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...] [INCLUDE dir])
function(fe_add_library name)
  cmake_parse_arguments(ARG "" "INCLUDE" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  if(ARG_INCLUDE)
    target_include_directories(${name} PUBLIC ${ARG_INCLUDE})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# fe_add_test(name SOURCES ... DEPS ...): a GoogleTest program registered with CTest.
function(fe_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  if(NOT FE_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    FE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    FE_BINARY_DIR="${CMAKE_BINARY_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}")
endfunction()

# fe_add_bench(name SOURCES ... DEPS ...): a Google Benchmark program (not run by CTest).
function(fe_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT FE_BUILD_BENCH)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE FE_BINARY_DIR="${CMAKE_BINARY_DIR}")
endfunction()

# fe_add_fuzz(name SOURCES ... DEPS ...): a libFuzzer target, built only with FE_BUILD_FUZZ (clang).
function(fe_add_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT FE_BUILD_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
