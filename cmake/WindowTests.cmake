# Tests of the installed game: its layout, and a real window under an X server
# of its own, played by synthetic key presses (shell scripts in tests/e2e).
if(NOT SKYWARD_TESTS)
  return()
endif()

add_test(NAME install.Layout
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/install_test.sh ${CMAKE_BINARY_DIR})
# Under a window manager, which is what gives a full-screen window the screen.
add_test(NAME window.UnderWindowManager
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} wm 1280x1024)
# On a bare X server the game still starts, takes the focus and plays.
add_test(NAME window.WithoutWindowManager
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} bare 1024x768)

set_tests_properties(install.Layout window.UnderWindowManager window.WithoutWindowManager
  PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
# One game window at a time: both want the processor while they are being watched.
set_tests_properties(window.UnderWindowManager window.WithoutWindowManager
  PROPERTIES RESOURCE_LOCK skyward_window)
