# Installation and the Debian package.
#
# The program and its installation files go together into lib/numora, the program's folder; bin
# holds links to the two programs. An installed program's folder is read-only for an ordinary user,
# so the program keeps that user's data in ~/.local/share/Numora, filled from the installation files
# on first start (core/DataFolder.h).
if(NOT NUMORA_BUILD_UI)
  return()
endif()

set(NUMORA_INSTALL_DIR lib/numora)
install(TARGETS numora numora-cli RUNTIME DESTINATION ${NUMORA_INSTALL_DIR})
install(FILES ${NUMORA_BIN_DIR}/Numora.ini ${NUMORA_BIN_DIR}/Numora.smo ${NUMORA_BIN_DIR}/Condizioni.ori
  DESTINATION ${NUMORA_INSTALL_DIR})
# Built by src/apps/helpgen.
install(FILES ${NUMORA_BIN_DIR}/help/Numora.qch DESTINATION ${NUMORA_INSTALL_DIR}/help)

set(links ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${links})
foreach(program numora numora-cli)
  file(CREATE_LINK ../${NUMORA_INSTALL_DIR}/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION bin)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/numora.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/numora.svg DESTINATION share/icons/hicolor/scalable/apps)
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/copyright ${CMAKE_BINARY_DIR}/copyright COPYONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION share/doc/numora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME numora)
set(CPACK_PACKAGE_VENDOR Varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnel <numora@varnel.it>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Statistiche, previsioni e sistemi per il Lotto")
set(CPACK_PACKAGE_DESCRIPTION "Numora conserva e aggiorna l'archivio delle estrazioni del Lotto, ne ricava ritardi, frequenze e probabilita', genera e riduce sistemi di giocate, li controlla e li stampa sulle schedine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_FILE_NAME numora_${PROJECT_VERSION}_amd64)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the database driver of the help, the
# Italian texts of Qt's dialogs and the fonts the windows name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-translations-l10n, fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
