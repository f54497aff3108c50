# The table editor: its grid and files, and its window.
vor_add_test(table_editor_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_grid_test.cpp LIBS vorcore)

if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(table_window_tests QT SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_window_test.cpp
               LIBS vorshell vor_ui_test_support Qt6::Test)
  # Pictures of the window go into the build tree.
  target_compile_definitions(table_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(table_window_tests language_files)
  endif()
endif()
