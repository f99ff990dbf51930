# Installation and the Debian package.
#
# The program and its installation files go together into lib/numora, the program's folder; bin
# holds links to the two programs. An installed program's folder is read-only for an ordinary user,
# so the program keeps that user's data in ~/.local/share/Numora, filled from the installation files
# on first start (core/DataFolder.h).
if(NOT NUMORA_BUILD_UI)
  return()
endif()

if(WIN32)
  # Windows: everything in one folder under Program Files, the Qt libraries and plug-ins put beside
  # the programs by windeployqt at install time, and an NSIS installer with a start-menu entry.
  # Program Files is read-only for an ordinary user, so the data lives in %APPDATA%\Numora, filled
  # from the installation files on first start (core/DataFolder.h); the settings go to the registry
  # (HKEY_CURRENT_USER\Software\Varnel\Numora, platform/QtSettingsStore.h).
  install(TARGETS numora numora-cli numora-print RUNTIME DESTINATION .)
  install(FILES ${NUMORA_BIN_DIR}/Numora.ini ${NUMORA_BIN_DIR}/Numora.smo ${NUMORA_BIN_DIR}/Condizioni.ori
    DESTINATION .)
  install(FILES ${NUMORA_BIN_DIR}/help/Numora.qch DESTINATION help)
  # The installer's icon (data/desktop/numora.ico, drawn from numora.svg; the program carries it too).
  set(icon ${CMAKE_SOURCE_DIR}/data/desktop/numora.ico)
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION .)
    set(CPACK_NSIS_MUI_ICON ${icon})
    set(CPACK_NSIS_MUI_UNIICON ${icon})
  endif()
  get_target_property(qmake Qt6::qmake IMPORTED_LOCATION)
  get_filename_component(qt_bin ${qmake} DIRECTORY)
  find_program(NUMORA_WINDEPLOYQT windeployqt HINTS ${qt_bin} REQUIRED)
  install(CODE "
    execute_process(COMMAND \"${NUMORA_WINDEPLOYQT}\" --release --no-compiler-runtime --no-system-d3d-compiler
                            --no-opengl-sw --translations it \"\${CMAKE_INSTALL_PREFIX}/numora.exe\"
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND \"${NUMORA_WINDEPLOYQT}\" --release --no-compiler-runtime --no-translations
                            \"\${CMAKE_INSTALL_PREFIX}/numora-print.exe\" COMMAND_ERROR_IS_FATAL ANY)")
  # The compiler's runtime (the Visual C++ libraries, or MinGW's libstdc++ and libgcc) beside the programs.
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  include(InstallRequiredSystemLibraries)

  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_NAME Numora)
  set(CPACK_PACKAGE_VENDOR Varnel)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Statistiche, previsioni e sistemi per il Lotto")
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Numora)
  set(CPACK_PACKAGE_FILE_NAME Numora-${PROJECT_VERSION}-win64)
  set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/data/desktop/copyright)
  set(CPACK_NSIS_DISPLAY_NAME Numora)
  set(CPACK_NSIS_PACKAGE_NAME Numora)
  set(CPACK_NSIS_INSTALLED_ICON_NAME numora.exe)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # The start-menu entry "Numora"; the program's folder is not the user's data folder, so
  # uninstalling leaves %APPDATA%\Numora and the registry settings to the user.
  set(CPACK_PACKAGE_EXECUTABLES numora Numora)
  include(CPack)
  return()
endif()

set(NUMORA_INSTALL_DIR lib/numora)
# numora-print beside numora-cli: numora-cli print runs it from its own folder.
install(TARGETS numora numora-cli numora-print RUNTIME DESTINATION ${NUMORA_INSTALL_DIR})
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
