# Installed layout: the game and its generated assets in one folder (it reads
# them from its own folder), a launcher on the PATH, a menu entry and an icon.
include(GNUInstallDirs)
set(SKYWARD_INSTALL_GAMEDIR lib/skyward-run)

install(TARGETS skyward-run RUNTIME DESTINATION ${SKYWARD_INSTALL_GAMEDIR})
# Pictures, sounds, music and the window icon, exactly as the build wrote them.
install(DIRECTORY ${SKYWARD_BIN}/ DESTINATION ${SKYWARD_INSTALL_GAMEDIR}
  FILES_MATCHING PATTERN "*.BMP" PATTERN "*.WAV" PATTERN "*.MID" PATTERN "skyward-run.bmp")

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/skyward-run DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/skyward-run.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKYWARD_BIN}/skyward-run.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
