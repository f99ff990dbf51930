# The per-number panel and the statistics selector.
if(NUMORA_BUILD_UI)
  numora_qtest(tst_statsselector ${CMAKE_CURRENT_LIST_DIR}/tst_statsselector.cpp)
endif()
