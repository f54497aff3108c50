# The strip mode's engine: options, direct strip cutting, its files and records.
vor_add_test(strip_mode_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/strip_mode_test.cpp LIBS vorcore)
