# SPDX-License-Identifier: MIT
# Helpers that every target of the project goes through, so warnings and test
# registration stay the same everywhere.

# Warnings are set per target, never for a whole directory.
function(vora_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wnon-virtual-dtor -Wimplicit-fallthrough)
  if(VORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# vora_add_library(name SOURCES ... [DEPS ...]): a static core library whose
# includes read "folder/Header.h" from src/.
function(vora_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  vora_set_warnings(${name})
endfunction()

# vora_add_test(name SOURCES ... LIBS ...): one GoogleTest program under CTest.
# Tests link the libraries; they never relist their sources.
function(vora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  vora_set_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
