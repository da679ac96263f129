# The browser build with Debian's emscripten package:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-emscripten.cmake
# Its ports (SDL2, FreeType ...) would be downloaded at build time, so none is
# used: the layer in lib/web/ calls the browser's own interfaces.
find_program(SKYWARD_EMCC emcc)
if(NOT SKYWARD_EMCC)
  message(FATAL_ERROR "emcc not found (Debian package emscripten)")
endif()
get_filename_component(SKYWARD_EMCC_REAL "${SKYWARD_EMCC}" REALPATH)
get_filename_component(SKYWARD_EMSCRIPTEN_ROOT "${SKYWARD_EMCC_REAL}" DIRECTORY)
if(NOT EXISTS "${SKYWARD_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")
  set(SKYWARD_EMSCRIPTEN_ROOT /usr/share/emscripten)
endif()
set(EMSCRIPTEN_ROOT_PATH "${SKYWARD_EMSCRIPTEN_ROOT}")

# Programs built for node (the suites, the headless runner) run on the build
# machine; node 18 and later need their own fetch turned off for the loader.
find_program(SKYWARD_NODE node)
if(SKYWARD_NODE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${SKYWARD_NODE};--no-experimental-fetch")
endif()
include("${SKYWARD_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")

# WebAssembly's 128-bit SIMD, which every current browser runs (Chrome and
# Edge 91, Firefox 89, Safari 16.4 and later): the present's SSE2 loops compile
# to it, three to seven times faster than their plain C++ there.
set(CMAKE_C_FLAGS_INIT "-msimd128 -msse2")
set(CMAKE_CXX_FLAGS_INIT "-msimd128 -msse2")

# -O2: within a few percent of -O3 here, and quicker to build in CI.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-O2" CACHE STRING "")
