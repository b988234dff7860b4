# GoogleTest for both trees, built from the sources Debian ships, and one
# helper that every test folder uses so that each test case becomes its own
# ctest test carrying the label of its folder (`ctest -L unzip`).
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ${KORVEN_WIN32} CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# korven_add_gtest(<name> LABEL <label> SOURCES <files...> [LIBS <libs...>]
#                  [PROPERTIES <test properties...>])
function(korven_add_gtest name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(NOT ARG_LABEL)
    message(FATAL_ERROR "korven_add_gtest(${name}): LABEL is required")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(KORVEN_WIN32)
    # Tests are console programs; the product is a GUI one.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  # Discovery at test time, so that building never needs Wine.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 300 ${ARG_PROPERTIES})
endfunction()
