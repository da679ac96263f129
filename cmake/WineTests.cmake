# The Windows build's tests, run under Wine on the build machine (the mingw
# toolchain file makes wine the emulator, so ctest runs .exe files through it):
#   wine.Suites       the shared library and game suites, cross-built
#   wine.Layer        the Windows layer's own suite and the built program's
#                     messages and resources (wine.InputMethod: one test alone)
#   wine.ReplayTrace  the headless runner gives the Linux runner's trace, frame by frame,
#                     and the replay file it records plays back on Linux with that trace
#   wine.Window       the game in a real window on an X server of its own, played by keys
#   wine.WindowRefusedMode  the same on a screen whose mode change Wine refuses

# Every suite that does not reach into SDL or POSIX runs on Windows too.
skyward_platform_free_tests(WINE_TEST_SOURCES)
list(LENGTH WINE_TEST_SOURCES count)
message(STATUS "Test sources that run under Wine: ${count}")
skyward_test_program(skyward_tests "Z:" ${WINE_TEST_SOURCES})
target_compile_options(skyward_tests PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/windows/posix_compat.h)
add_dependencies(skyward_tests skyward-assets skyward-replay skyward-run)

add_test(NAME wine.Suites COMMAND skyward_tests --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(wine.Suites PROPERTIES TIMEOUT 900)

# The Windows layer itself: keys as a session sends them, lost surfaces, Alt+Enter
# on this display, the notice log; and the built program: its messages with and
# without a console, its resources. The input method test needs a process whose
# first window is the game's: it runs alone.
file(GLOB WINDOWS_LAYER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
skyward_test_program(skyward_windows_tests "Z:" ${WINDOWS_LAYER_TEST_SOURCES}
                     ${CMAKE_SOURCE_DIR}/tests/test_main.cpp)
target_link_libraries(skyward_windows_tests PRIVATE version)
add_dependencies(skyward_windows_tests skyward-assets skyward-run)
add_test(NAME wine.Layer COMMAND skyward_windows_tests --gtest_brief=1 --gtest_filter=-InputMethod.*
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
# It takes the display's mode (Alt+Enter): not while another test looks at a screen.
set_tests_properties(wine.Layer PROPERTIES TIMEOUT 600 RESOURCE_LOCK skyward_window)
add_test(NAME wine.InputMethod COMMAND skyward_windows_tests --gtest_filter=InputMethod.*
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(wine.InputMethod PROPERTIES TIMEOUT 120)

add_test(NAME wine.ReplayTrace
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/cross_replay_trace_test.sh Windows ${SKYWARD_HOST_BIN}
          ${CMAKE_SOURCE_DIR}/tests/e2e/data wine ${SKYWARD_BIN}/skyward-replay.exe)
# The window run is watched by the clock: it gets the processor to itself.
set_tests_properties(wine.ReplayTrace PROPERTIES TIMEOUT 900 RESOURCE_LOCK skyward_window)

add_test(NAME wine.Window
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} wine 640x480)
set_tests_properties(wine.Window PROPERTIES TIMEOUT 180 RESOURCE_LOCK skyward_window)
# A display that refuses the mode: the game falls back to its scaled window.
add_test(NAME wine.WindowRefusedMode
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} wine 1024x768)
set_tests_properties(wine.WindowRefusedMode PROPERTIES TIMEOUT 180 RESOURCE_LOCK skyward_window)
