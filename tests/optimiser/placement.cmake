vor_add_test(placement_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/placement_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/allocation_counter.cpp
  LIBS vorcore)
