# Installed layout: the game and its generated assets in one folder (it reads
# them from its own folder), a launcher on the PATH, a menu entry and an icon.
include(GNUInstallDirs)
set(SKYWARD_INSTALL_LIBDIR_REL lib/skyward-run)

install(TARGETS skyward-run RUNTIME DESTINATION ${SKYWARD_INSTALL_LIBDIR_REL})
install(DIRECTORY ${SKYWARD_BIN}/ DESTINATION ${SKYWARD_INSTALL_LIBDIR_REL}
  FILES_MATCHING PATTERN "*.BMP" PATTERN "*.bmp" PATTERN "*.WAV" PATTERN "*.MID")

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/skyward-run DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/skyward-run.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKYWARD_BIN}/skyward-run.xpm
  DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps OPTIONAL)
