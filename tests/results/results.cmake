# The results of a calculation: the summary, the export files and options.
vor_add_test(results_tests
  SOURCES calc_summary_test.cpp export_files_test.cpp export_options_test.cpp
          saved_calculations_test.cpp
  LIBS vorcore vor_rtf)
target_compile_definitions(results_tests PRIVATE VOR_TEST_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")

if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(results_window_tests QT
    SOURCES export_window_test.cpp view_chooser_window_test.cpp saved_calculations_window_test.cpp
    LIBS vorshell vor_ui_test_support vor_canvas_support Qt6::Test)
  # Pictures of the windows and the printed summary go into the build tree.
  target_compile_definitions(results_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(results_window_tests language_files)
  endif()
endif()
