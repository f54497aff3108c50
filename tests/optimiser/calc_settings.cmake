vor_add_test(calc_settings_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_settings_test.cpp ${CMAKE_CURRENT_LIST_DIR}/working_data_test.cpp
  LIBS vorcore)
