vor_add_test(placement_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/placement_test.cpp
  LIBS vorcore)
