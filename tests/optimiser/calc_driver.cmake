# The calculation driver: checks, lists, merged piece lists, the run and its end.
vor_add_test(calc_driver_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_driver_test.cpp
  LIBS vorcore vor_test_support)
