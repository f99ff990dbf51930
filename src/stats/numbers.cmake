# The statistics of single numbers, and the pieces both halves of the folder share: the draw
# window, the "stats" command of numora-cli and, in the windows, printing and adding numbers.
target_sources(numora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DrawWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/NumberStats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberStats.h
  ${CMAKE_CURRENT_LIST_DIR}/StatsCli.h
)
if(NUMORA_BUILD_UI)
  target_sources(numora_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/UNumberChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UNumberChart.h
    ${CMAKE_CURRENT_LIST_DIR}/UNumberList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UNumberList.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatFre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatFre.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatNumMenoFre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatNumMenoFre.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatNumPiuRit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatNumPiuRit.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatRit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatRit.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatsNumbersRegistration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatsShared.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatsShared.h
  )
endif()
set_property(GLOBAL APPEND PROPERTY NUMORA_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliStats.cpp)
