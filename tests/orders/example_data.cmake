# The example order and materials shipped in dist/, read with the readers the
# program uses.
vor_add_test(example_data_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/example_data_test.cpp LIBS vorcore)
target_compile_definitions(example_data_tests PRIVATE VOR_DIST_DIR="${PROJECT_SOURCE_DIR}/dist")
