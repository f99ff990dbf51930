# The pair statistics: the engines to numora_core, the four windows to numora_ui.
target_sources(numora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PairStats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PairStats.h
)
# The pair kinds of numora-cli stats.
set_property(GLOBAL APPEND PROPERTY NUMORA_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliStatsPairs.cpp)
