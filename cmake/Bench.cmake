# skyward-bench: frame costs, allocations per frame, start-up and memory of the
# real game, headless. Not part of the test suite; see docs/PERFORMANCE.md.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/*.cpp)
add_executable(skyward-bench ${BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tools/bench/scale/scale_timing.cpp)
target_compile_options(skyward-bench PRIVATE ${SKYWARD_WARNINGS})
target_link_libraries(skyward-bench PRIVATE skyward_game)
# The probes sit between the game and the library: draw calls are recorded and
# the present is split into upload and render, without touching either.
set(BENCH_WRAPPED
  _ZN6zuDraw5ClearEv
  _ZN6zuDraw9PutObjectEiiiiiii
  _ZN6zuDraw18PutObjectStretchedEiiiiiiiii
  _ZN6zuDraw11DrawCaptionEiiPKc
  _ZN6zuDraw4FlipEv
  _ZN6zuDraw10OpenWindowEPKci
  _ZN6zuDraw6ScreenEiii
  _ZN6zuDraw10LoadObjectEPKci
  _ZN7zuSound4InitEv
  _ZN7zuSound8InitMidiEv
  _ZN7zuSound10LoadObjectEPKci
  _ZN7zuSound8PlayMidiEPKc
  SDL_UnlockTexture
  SDL_UpdateTexture)
foreach(symbol ${BENCH_WRAPPED})
  target_link_options(skyward-bench PRIVATE "LINKER:--wrap=${symbol}")
endforeach()
add_dependencies(skyward-bench skyward-assets)

# The allocation test drives the same scenarios with the same counters.
if(TARGET skyward_tests)
  target_sources(skyward_tests PRIVATE
    ${CMAKE_SOURCE_DIR}/tools/bench/scenario.cpp
    ${CMAKE_SOURCE_DIR}/tools/bench/alloc_count.cpp)
endif()

# Preloaded into the real game by tools/bench/window_bench.sh: stamps each present.
add_library(skyward-present-probe MODULE ${CMAKE_SOURCE_DIR}/tools/bench/probe/present_probe.cpp)
set_target_properties(skyward-present-probe PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
target_link_libraries(skyward-present-probe PRIVATE PkgConfig::SDL2 ${CMAKE_DL_LIBS})
add_dependencies(skyward-bench skyward-present-probe)
