# The statistics of single numbers: the engines against their literal oracles, the four windows
# and numora-cli stats.
numora_gtest(test_numberstats ${CMAKE_CURRENT_LIST_DIR}/test_numberstats.cpp)
if(NUMORA_BUILD_UI)
  numora_qtest(tst_numberwindows ${CMAKE_CURRENT_LIST_DIR}/tst_numberwindows.cpp)
  add_dependencies(tst_numberwindows numora-cli)
endif()
