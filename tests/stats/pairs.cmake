numora_gtest(test_pairstats ${CMAKE_CURRENT_LIST_DIR}/test_pairstats.cpp)
numora_qtest(tst_pairwindows ${CMAKE_CURRENT_LIST_DIR}/tst_pairwindows.cpp)
add_dependencies(tst_pairwindows numora-cli)
