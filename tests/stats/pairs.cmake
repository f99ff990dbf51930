# The pair statistics: the engines against their literal oracles, the four windows and the pair
# kinds of numora-cli stats.
numora_gtest(test_pairstats ${CMAKE_CURRENT_LIST_DIR}/test_pairstats.cpp)
if(NUMORA_BUILD_UI)
  numora_qtest(tst_pairwindows ${CMAKE_CURRENT_LIST_DIR}/tst_pairwindows.cpp)
  add_dependencies(tst_pairwindows numora-cli)
endif()
