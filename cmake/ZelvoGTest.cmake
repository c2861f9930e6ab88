# Provides GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main,
# GoogleTest's gtest_discover_tests() and zelvo_discover_tests() (below), so
# that the tests' CMake code is the same for the Linux build and the Windows
# cross build:
#
#   list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
#   include(ZelvoGTest)
#
# On Linux these are the system's GoogleTest (libgtest-dev). Its libraries are
# Linux ones, so the Windows cross build compiles GoogleTest itself from the
# sources Debian installs in /usr/src/googletest (package googletest), and so
# does the WebAssembly build.

if(COMMAND zelvo_discover_tests)
  return()
endif()

if(CMAKE_CROSSCOMPILING AND (WIN32 OR EMSCRIPTEN))
  set(ZELVO_GOOGLETEST_SOURCE_DIR /usr/src/googletest
      CACHE PATH "GoogleTest sources built for the cross builds")
  if(NOT EXISTS ${ZELVO_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${ZELVO_GOOGLETEST_SOURCE_DIR} "
                        "(apt-get install googletest, or set ZELVO_GOOGLETEST_SOURCE_DIR)")
  endif()
  # Static libraries linked into each test, nothing installed. Under MinGW
  # GoogleTest locks with Windows' own primitives; WebAssembly has one thread.
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_SHARED_LIBS OFF)
  add_subdirectory(${ZELVO_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

include(GoogleTest)

# zelvo_discover_tests(<target> [DESKTOP] [PROPERTIES ...] [other gtest_discover_tests arguments])
#
# gtest_discover_tests() with what the cross build needs: the test list is
# read when CTest starts (PRE_TEST) rather than by running the .exe under Wine
# in the middle of the build, and listing may take as long as the Wine prefix
# takes to be made on first use. Under Wine each test gets a time limit, so a
# message box that nobody answers fails its test instead of stalling the run.
#
# DESKTOP marks tests that open windows. Under Wine all programs share one
# desktop, so such tests would take the focus and the keyboard from each
# other: they run one at a time (RESOURCE_LOCK zelvo_desktop), also with
# ctest -j. Tests without windows still run in parallel.
function(zelvo_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "DESKTOP" "" "PROPERTIES")
  set(properties)
  if(CMAKE_CROSSCOMPILING)
    list(APPEND properties TIMEOUT 120)
    if(arg_DESKTOP)
      list(APPEND properties RESOURCE_LOCK zelvo_desktop)
    endif()
    set(mode DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  else()
    set(mode)
  endif()
  list(APPEND properties ${arg_PROPERTIES})
  if(properties)
    set(properties PROPERTIES ${properties})
  endif()
  gtest_discover_tests(${target} ${mode} ${arg_UNPARSED_ARGUMENTS} ${properties})
endfunction()
