numora_gtest(test_pairstats ${CMAKE_CURRENT_LIST_DIR}/test_pairstats.cpp)
