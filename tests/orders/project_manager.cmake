# The project manager's rules, the new-project writer and the project merge.
vor_add_test(project_merge_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/project_merge_test.cpp LIBS vorcore)
