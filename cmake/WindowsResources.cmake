# The Windows program's resources (app/win32/skyward-run.rc): the game's icon
# as "MAIN", written by the asset generator beside the assets, the version
# block from the project's version, and the application manifest.
enable_language(RC)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/skyward_version.h CONTENT
  "#define SKYWARD_VERSION_TEXT \"@PROJECT_VERSION@\"\n#define SKYWARD_VERSION_NUMBERS @PROJECT_VERSION_MAJOR@,@PROJECT_VERSION_MINOR@,0,0\n"
  @ONLY)
target_sources(skyward-run PRIVATE ${CMAKE_SOURCE_DIR}/app/win32/skyward-run.rc)
target_include_directories(skyward-run PRIVATE ${CMAKE_BINARY_DIR}/generated ${SKYWARD_BIN}
                           ${CMAKE_SOURCE_DIR}/app/win32)
set_source_files_properties(${CMAKE_SOURCE_DIR}/app/win32/skyward-run.rc PROPERTIES OBJECT_DEPENDS
  "${SKYWARD_BIN}/assets.stamp;${CMAKE_SOURCE_DIR}/app/win32/skyward-run.manifest")
add_dependencies(skyward-run skyward-assets)
