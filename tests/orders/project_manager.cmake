# The project manager's rules, the new-project writer and the project merge.
vor_add_test(project_merge_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/project_merge_test.cpp LIBS vorcore)

if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(project_manager_window_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/project_manager_window_test.cpp
    LIBS vorshell vor_ui_test_support Qt6::Test)
  # Pictures of the windows go into the build tree.
  target_compile_definitions(project_manager_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(project_manager_window_tests language_files)
  endif()
endif()
