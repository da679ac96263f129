# The suites that reach into no platform (no SDL, no POSIX beyond the C
# library, no benchmark probes), directly or through a test header of their
# own: what the cross builds run. No list to keep in step.
set(SKYWARD_TEST_PLATFORM_INCLUDE "#include [<\"](SDL[^>\"]*|sys/[^>\"]*|tools/bench/[^>\"]*)[>\"]")
function(skyward_platform_free_test file result)
  file(STRINGS ${file} includes REGEX "^#include ")
  set(free TRUE)
  foreach(line IN LISTS includes)
    if(line MATCHES "${SKYWARD_TEST_PLATFORM_INCLUDE}" OR line MATCHES "#include \"tests/.*/(sound|draw)_?[dD]evice|draw_test_util")
      set(free FALSE)
    elseif(line MATCHES "#include \"(tests/[^\"]+\\.h)\"")
      skyward_platform_free_test(${CMAKE_SOURCE_DIR}/${CMAKE_MATCH_1} header_free)
      if(NOT header_free)
        set(free FALSE)
      endif()
    endif()
  endforeach()
  set(${result} ${free} PARENT_SCOPE)
endfunction()

# Into `out`: every platform-free test source but the tools' (they run on the
# build machine only), the layers' own suites (each a program of its build),
# the one that starts the game through a POSIX shell, and the end-to-end suites
# (whole games through the runner, which the cross builds check against
# Linux's trace instead).
function(skyward_platform_free_tests out)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/tests/tools/")
  list(FILTER sources EXCLUDE REGEX "/tests/app/command_line_test")
  list(FILTER sources EXCLUDE REGEX "/tests/e2e/")
  list(FILTER sources EXCLUDE REGEX "/tests/(web|windows)/")
  set(free_sources)
  foreach(source IN LISTS sources)
    skyward_platform_free_test(${source} free)
    if(free)
      list(APPEND free_sources ${source})
    endif()
  endforeach()
  set(${out} ${free_sources} PARENT_SCOPE)
endfunction()

# A test program of the project's: its warnings, the folders the tests read
# (PATH_PREFIX before each: Wine shows the build machine's root as Z:), the
# game and GoogleTest. skyward_test_program(NAME PATH_PREFIX SOURCES...)
function(skyward_test_program name prefix)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_options(${name} PRIVATE ${SKYWARD_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    SKYWARD_BIN_DIR="${prefix}${SKYWARD_BIN}"
    SKYWARD_SOURCE_DIR="${prefix}${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE skyward_game GTest::gtest)
endfunction()

# GoogleTest from Debian's source package, built with a cross build's compiler.
macro(skyward_cross_gtest)
  set(SKYWARD_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")
  if(NOT EXISTS ${SKYWARD_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${SKYWARD_GTEST_SOURCE} (Debian package googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  # The browser's program has one thread.
  if(EMSCRIPTEN)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${SKYWARD_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()
