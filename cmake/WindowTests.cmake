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
# The picture's size and place on the screens players have: a laptop's 1366 x 768
# and 1280 x 720 (largest aspect-kept size, sharp), full HD (whole multiple).
# 1280 x 720 goes through the renderer's texture, the others the game's choice.
add_test(NAME window.Title1366x768
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} title 1366x768)
add_test(NAME window.Title1280x720Texture
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} title 1280x720)
set_tests_properties(window.Title1280x720Texture PROPERTIES ENVIRONMENT SKYWARD_PRESENT=texture)
add_test(NAME window.Title1920x1080
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} title 1920x1080)
# --window, then Alt+Enter to full screen and back during play.
add_test(NAME window.AltEnter
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/window_test.sh ${CMAKE_BINARY_DIR} altenter 1280x1024)

set(WINDOW_TESTS window.UnderWindowManager window.WithoutWindowManager window.Title1366x768
  window.Title1280x720Texture window.Title1920x1080 window.AltEnter)
set_tests_properties(install.Layout ${WINDOW_TESTS} PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
# One game window at a time: they want the processor while they are being watched.
set_tests_properties(${WINDOW_TESTS} PROPERTIES RESOURCE_LOCK skyward_window)
