# Label printing and the label page format window.
vor_add_test(label_printing_tests SOURCES label_printing_test.cpp LIBS vorcore vor_canvas_support)
if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(label_windows_tests QT SOURCES label_windows_test.cpp
    LIBS vorshell vor_ui_test_support vor_canvas_support Qt6::Test)
  target_compile_definitions(label_windows_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
endif()
