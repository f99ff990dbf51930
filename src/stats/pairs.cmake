# The pair statistics: the engines to numora_core, the four windows to numora_ui.
target_sources(numora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PairStats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PairStats.h
)
if(NUMORA_BUILD_UI)
  target_sources(numora_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/UPairGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UPairGrid.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiLista.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiLista.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiRit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiRit.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiFre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiFre.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiTop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiTop.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiPiuRit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiPiuRit.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiMenoFre.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStatAmbiMenoFre.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatsPairsRegistration.cpp
  )
endif()
# The pair kinds of numora-cli stats.
set_property(GLOBAL APPEND PROPERTY NUMORA_CLI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliStatsPairs.cpp)
