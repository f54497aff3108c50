# The stock update after a calculation and its window.
vor_add_test(stock_update_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/stock_update_test.cpp LIBS vorcore)
target_compile_definitions(stock_update_tests PRIVATE VOR_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")

if(TARGET vorshell)
  vor_add_test(stock_update_window_tests QT SOURCES ${CMAKE_CURRENT_LIST_DIR}/stock_update_window_test.cpp
               LIBS vorshell vor_ui_test_support)
  # Pictures of the window go into the build tree.
  target_compile_definitions(stock_update_window_tests PRIVATE
    VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}" VOR_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")
  if(TARGET language_files)
    add_dependencies(stock_update_window_tests language_files)
  endif()
endif()
