# The browser build's page: the program, its data package, the music rendered
# for the browser, the cut-down faces and the page itself, gathered in
# ${CMAKE_BINARY_DIR}/site (the folder any static web host serves as it is)
# and packed into skyward-run-web.zip. Target: skyward-site.
find_program(SKYWARD_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(SKYWARD_LAME lame)
set(SKYWARD_SOUNDFONT /usr/share/sounds/sf2/TimGM6mb.sf2 CACHE FILEPATH
    "The General MIDI soundfont the music is rendered with (the desktop's own)")
set(SKYWARD_FONT_GOTHIC /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf CACHE FILEPATH "")
set(SKYWARD_FONT_MINCHO /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf CACHE FILEPATH "")
set(SKYWARD_FONT_LICENCE /usr/share/doc/fonts-ipafont-gothic/copyright CACHE FILEPATH "")
foreach(need SKYWARD_PYTHON SKYWARD_LAME)
  if(NOT ${need})
    message(FATAL_ERROR "${need} not found: scripts/build-web installs what the page needs")
  endif()
endforeach()

set(SITE ${CMAKE_BINARY_DIR}/site)
set(WEB_TOOLS ${CMAKE_SOURCE_DIR}/tools/web)
set(MUSIC_PIECES JOP1.MID JSET1.MID JBGM1.MID JBGM2.MID)
list(TRANSFORM MUSIC_PIECES PREPEND ${SKYWARD_BIN}/ OUTPUT_VARIABLE MUSIC_INPUTS)

# The music, played by the desktop's synthesizer and soundfont at build time.
add_custom_command(
  OUTPUT ${SITE}/music/music.json
  COMMAND ${SKYWARD_PYTHON} ${WEB_TOOLS}/render_music.py --soundfont ${SKYWARD_SOUNDFONT}
          --lame ${SKYWARD_LAME} --out ${SITE}/music ${MUSIC_INPUTS}
  DEPENDS ${SKYWARD_BIN}/assets.stamp ${WEB_TOOLS}/render_music.py
  COMMENT "Rendering the music for the browser")

# The faces, cut down to what the game's texts use.
file(GLOB_RECURSE WEB_TEXT_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/game/*.cpp ${CMAKE_SOURCE_DIR}/game/*.h
  ${CMAKE_SOURCE_DIR}/lib/draw/*.cpp ${CMAKE_SOURCE_DIR}/lib/sound/*.cpp
  ${CMAKE_SOURCE_DIR}/lib/system/*.cpp ${CMAKE_SOURCE_DIR}/lib/input/*.cpp
  ${CMAKE_SOURCE_DIR}/lib/web/*.cpp ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/web/*.cpp)
add_custom_command(
  OUTPUT ${SITE}/fonts/gothic.woff ${SITE}/fonts/mincho.woff
  COMMAND ${SKYWARD_PYTHON} ${WEB_TOOLS}/subset_fonts.py --out ${SITE}/fonts
          --face "${SKYWARD_FONT_GOTHIC}=Skyward Gothic:gothic.woff"
          --face "${SKYWARD_FONT_MINCHO}=Skyward Mincho:mincho.woff"
          --sources ${WEB_TEXT_SOURCES}
  COMMAND ${CMAKE_COMMAND} -E copy ${SKYWARD_FONT_LICENCE} ${SITE}/fonts/LICENSE-fonts.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_TOOLS}/README-fonts.txt ${SITE}/fonts/README-fonts.txt
  DEPENDS ${WEB_TOOLS}/subset_fonts.py ${WEB_TOOLS}/README-fonts.txt ${WEB_TEXT_SOURCES}
  COMMENT "Cutting the faces down to the game's characters")

# The files the game reads, in one package that the page fetches with its
# progress bar and the program finds in its own folder.
set(WEB_DATA ${CMAKE_BINARY_DIR}/web-data)
add_custom_command(
  OUTPUT ${SITE}/skyward-run.data ${SITE}/skyward-data.js
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${WEB_DATA}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_DATA}
  COMMAND sh -c "cp '${SKYWARD_BIN}'/*.BMP '${SKYWARD_BIN}'/*.WAV '${SKYWARD_BIN}'/*.MID '${WEB_DATA}'/"
  COMMAND ${SKYWARD_PYTHON} ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py ${SITE}/skyward-run.data
          --preload ${WEB_DATA}@/ --js-output=${SITE}/skyward-data.js --no-node
  DEPENDS ${SKYWARD_BIN}/assets.stamp
  COMMENT "Packing the pictures, sounds and music files for the page")

set(PAGE_FILES index.html page.js page.css)
list(TRANSFORM PAGE_FILES PREPEND ${CMAKE_SOURCE_DIR}/app/web/site/ OUTPUT_VARIABLE PAGE_SOURCES)
set(SITE_ZIP ${CMAKE_BINARY_DIR}/skyward-run-web.zip)
add_custom_command(
  OUTPUT ${SITE}/manifest.json ${SITE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E copy ${PAGE_SOURCES} ${SITE}/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/README-Web.txt ${SITE}/
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:skyward-run>
          $<TARGET_FILE_DIR:skyward-run>/skyward-run.wasm ${SITE}/
  COMMAND ${SKYWARD_PYTHON} ${WEB_TOOLS}/site_manifest.py ${SITE} ${SITE_ZIP}
  DEPENDS ${PAGE_SOURCES} ${CMAKE_SOURCE_DIR}/packaging/README-Web.txt skyward-run
          ${SITE}/music/music.json ${SITE}/fonts/gothic.woff ${SITE}/skyward-run.data
          ${WEB_TOOLS}/site_manifest.py
  COMMENT "Gathering the page in ${SITE} and ${SITE_ZIP}")
add_custom_target(skyward-site ALL DEPENDS ${SITE}/manifest.json)

# The present's scale timed under node, as skyward-bench --scale times it natively.
add_executable(skyward-scale-bench ${CMAKE_SOURCE_DIR}/tools/web/scale_bench.cpp
  ${CMAKE_SOURCE_DIR}/tools/bench/scale/scale_timing.cpp ${CMAKE_SOURCE_DIR}/lib/draw/present_scale.cpp)
target_include_directories(skyward-scale-bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(skyward-scale-bench PRIVATE ${SKYWARD_WARNINGS})
target_link_options(skyward-scale-bench PRIVATE -sENVIRONMENT=node)
