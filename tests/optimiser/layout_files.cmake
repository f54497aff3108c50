vor_add_test(layout_files_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/layout_files_test.cpp
  LIBS vorcore)
