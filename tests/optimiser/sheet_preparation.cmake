vor_add_test(sheet_preparation_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sheet_preparation_test.cpp
  LIBS vorcore)
