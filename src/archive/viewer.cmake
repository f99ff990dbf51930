# The archive viewer and the manual upkeep of the draws: plain C++ to numora_core, window
# units (U*) to numora_ui.
target_sources(numora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveMaintenance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveMaintenance.h
  ${CMAKE_CURRENT_LIST_DIR}/DrawEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawEntry.h
)
target_sources(numora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UArchiveCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UArchiveCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/UArchiveGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UArchiveGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/UDaiNumEstra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UDaiNumEstra.h
  ${CMAKE_CURRENT_LIST_DIR}/Udb.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Udb.h
  ${CMAKE_CURRENT_LIST_DIR}/Ueliest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Ueliest.h
  ${CMAKE_CURRENT_LIST_DIR}/UModEstra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UModEstra.h
  ${CMAKE_CURRENT_LIST_DIR}/UNuovaEstra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UNuovaEstra.h
)
# The command line's "import", the same merge as "Importa archivio da file…".
set_property(GLOBAL APPEND PROPERTY NUMORA_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliImport.cpp)
