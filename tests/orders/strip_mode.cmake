# The strip mode's engine: options, direct strip cutting, its files and records.
vor_add_test(strip_mode_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/strip_mode_test.cpp LIBS vorcore)

if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(strip_page_tests QT SOURCES ${CMAKE_CURRENT_LIST_DIR}/strip_page_test.cpp
               LIBS vorshell vor_ui_test_support Qt6::Test)
  # Pictures of the tab go into the build tree.
  target_compile_definitions(strip_page_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
endif()
