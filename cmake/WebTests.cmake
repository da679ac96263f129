# The browser build's tests (the emscripten toolchain file makes node the
# emulator, so ctest runs the programs' .js through it):
#   web.Suites       the shared library and game suites, built with em++
#   web.ReplayTrace  the headless runner under node gives the Linux runner's trace
#   web.Browser      the page in Debian's headless Chromium, played by keys
skyward_platform_free_tests(WEB_TEST_SOURCES)
# The browser layer's own key table.
file(GLOB WEB_LAYER_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/web/*.cpp)
list(APPEND WEB_TEST_SOURCES ${WEB_LAYER_TESTS})
list(LENGTH WEB_TEST_SOURCES count)
message(STATUS "Test sources that run under node: ${count}")
skyward_test_program(skyward_tests "" ${WEB_TEST_SOURCES})
target_link_options(skyward_tests PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1)
add_dependencies(skyward_tests skyward-assets skyward-replay)

# GoogleTest's capture of standard error redirects the descriptor, which the
# node runtime's standard error does not go through: that one case is left out.
add_test(NAME web.Suites
  COMMAND skyward_tests --gtest_brief=1 --gtest_filter=-FakeClock.OutOfRangeSlotsAreRefusedAndLeaveTheTableAlone
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(web.Suites PROPERTIES TIMEOUT 600)

add_test(NAME web.ReplayTrace
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/cross_replay_trace_test.sh web ${SKYWARD_HOST_BIN}
          ${CMAKE_SOURCE_DIR}/tests/e2e/data node --no-experimental-fetch ${SKYWARD_BIN}/skyward-replay.js)
set_tests_properties(web.ReplayTrace PROPERTIES TIMEOUT 600)

# puppeteer-core from tests/web/package-lock.json, installed by scripts/test-web.
add_test(NAME web.Browser
  COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${CMAKE_BINARY_DIR}/npm/node_modules
          node ${CMAKE_SOURCE_DIR}/tests/web/browser_test.js ${CMAKE_BINARY_DIR}/site
          ${CMAKE_BINARY_DIR}/browser-shots ${SKYWARD_HOST_BIN}/skyward-replay)
# The browser's frames are watched by the clock: it gets the processor to itself.
set_tests_properties(web.Browser PROPERTIES TIMEOUT 300 RESOURCE_LOCK skyward_window)
