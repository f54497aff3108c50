# The stock update after a calculation and its window.
vor_add_test(stock_update_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/stock_update_test.cpp LIBS vorcore)
target_compile_definitions(stock_update_tests PRIVATE VOR_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")
