# The per-number panel and the statistics selector.
if(NUMORA_BUILD_UI)
  target_sources(numora_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/UNumStats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UNumStats.h
    ${CMAKE_CURRENT_LIST_DIR}/UStats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UStats.h
    ${CMAKE_CURRENT_LIST_DIR}/UStatsSelectorRegistration.cpp
  )
endif()
