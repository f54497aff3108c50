# The calculation window: its Qt-free rules, and the window offscreen.
vor_add_test(calc_window_logic_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_window_logic_test.cpp
  LIBS vorcore)
if(TARGET vorshell)
  vor_add_test(calc_window_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_window_test.cpp
    LIBS vorshell vor_ui_test_support)
  # Screenshots of the pages go into the build tree.
  target_compile_definitions(calc_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(calc_window_tests language_files)
  endif()
endif()
