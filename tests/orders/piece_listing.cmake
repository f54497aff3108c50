# The piece listing and budget of an order, and how ostrel reads them.
vor_add_test(piece_listing_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/piece_listing_test.cpp
             LIBS vorcore ostrel_core)

if(TARGET ostrel_window)
  vor_add_test(piece_listing_view_tests QT SOURCES ${CMAKE_CURRENT_LIST_DIR}/piece_listing_view_test.cpp
               LIBS vorcore ostrel_window vor_ui_test_support)
  target_compile_definitions(piece_listing_view_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
endif()
