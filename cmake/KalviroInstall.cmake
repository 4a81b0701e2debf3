# What `cmake --install` puts beside the programs: the desktop entry, the
# MIME types of the files the viewer opens, the icon, the examples and the
# README. The programs install themselves where they are built.
include(GNUInstallDirs)

install(FILES "${CMAKE_SOURCE_DIR}/desktop/kalviro.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/desktop/kalviro-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME kalviro.xml)
install(FILES "${CMAKE_SOURCE_DIR}/desktop/kalviro.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
# The whole folder, so examples added later install without an edit here.
install(DIRECTORY "${CMAKE_SOURCE_DIR}/examples/"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/kalviro/examples")
# The README shows pictures from docs/; keep that path beside it.
install(FILES "${CMAKE_SOURCE_DIR}/README.md" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kalviro")
install(FILES "${CMAKE_SOURCE_DIR}/docs/screenshot.png" "${CMAKE_SOURCE_DIR}/docs/surface.png"
              "${CMAKE_SOURCE_DIR}/docs/mode.gif" "${CMAKE_SOURCE_DIR}/docs/co_spectrum.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kalviro/docs")
