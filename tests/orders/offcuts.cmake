# The offcut table file and its editor.
vor_add_test(offcut_table_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/offcut_table_test.cpp LIBS vorcore)

if(TARGET vorshell)
  # QTest delivers keys as the window system does, so the keyboard state
  # the grid reads for Ctrl follows them.
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(offcut_window_tests QT SOURCES ${CMAKE_CURRENT_LIST_DIR}/offcut_window_test.cpp
               LIBS vorshell vor_ui_test_support Qt6::Test)
  # Pictures of the window go into the build tree.
  target_compile_definitions(offcut_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(offcut_window_tests language_files)
  endif()
endif()
