# The order list, project files and numbers, and the project description file.
vor_add_test(projects_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/order_list_test.cpp ${CMAKE_CURRENT_LIST_DIR}/project_description_test.cpp LIBS vorcore)
