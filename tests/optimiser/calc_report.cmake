vor_add_test(calc_report_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_report_test.cpp
  LIBS vorcore)
