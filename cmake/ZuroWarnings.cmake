# Every target of ours compiles warning-clean under these flags.
function(zuro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow=local -Wnon-virtual-dtor)
  # GCC 12 reports "literal" + std::string as an overlapping copy when it
  # inlines at -O2 (a known false positive of that release).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# Unity batches: a target's sources are compiled a few at a time in one
# translation unit, which saves most of the repeated header parsing and,
# under the sanitizers, much of the repeated code generation for inline
# functions. Names local to a file must therefore stay unique within its
# folder. ZURO_UNITY_BUILD=OFF compiles each file alone (a tool that
# rebuilds after touching one file wants that).
option(ZURO_UNITY_BUILD "Compile each target's sources in batches" ON)
set(ZURO_UNITY_BATCH_SIZE 8 CACHE STRING "Sources per unity batch")

function(zuro_batches target)
  if(ZURO_UNITY_BUILD)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON
                          UNITY_BUILD_BATCH_SIZE ${ZURO_UNITY_BATCH_SIZE})
  endif()
endfunction()

# One library per source folder; the links a folder may use are named
# explicitly by its CMakeLists so the dependency arrows stay visible.
function(zuro_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARG_LINKS)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  endif()
  zuro_warnings(${name})
  zuro_batches(${name})
endfunction()

# One test executable per folder mirror under tests/, run by ctest as one
# entry (a process start and an application object cost more than most
# cases), or as SHARDS entries that each run every SHARDS-th case through
# gtest's own sharding, for a long program. The output of an entry names
# each case as it starts and each failed case at its end, so a failure or a
# crash is still found by name with --output-on-failure. Every entry gets a
# timeout (seconds; TIMEOUT overrides the default), so a program that hangs
# fails on its own instead of holding the whole run. COST orders the start:
# the longest entries first, so that the run does not end on one of them.
function(zuro_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT;SHARDS;COST" "SOURCES;LINKS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  if(NOT ARG_COST)
    set(ARG_COST 1)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  zuro_warnings(${name})
  zuro_batches(${name})
  if(ARG_SHARDS EQUAL 1)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                         TIMEOUT ${ARG_TIMEOUT} COST ${ARG_COST})
  else()
    math(EXPR last "${ARG_SHARDS} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME ${name}.${shard} COMMAND ${name})
      set_tests_properties(${name}.${shard} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}"
        TIMEOUT ${ARG_TIMEOUT} COST ${ARG_COST})
    endforeach()
  endif()
endfunction()
