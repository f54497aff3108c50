vor_add_test(layout_search_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/layout_search_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/allocation_counter.cpp
  LIBS vorcore vor_layout_checks)
