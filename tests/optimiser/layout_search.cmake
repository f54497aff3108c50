vor_add_test(layout_search_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/layout_search_test.cpp
  LIBS vorcore vor_layout_checks)
