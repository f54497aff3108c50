vor_add_test(table_files_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_files_test.cpp LIBS vorcore)
