vor_add_test(input_loading_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/input_loading_test.cpp
  LIBS vorcore)
