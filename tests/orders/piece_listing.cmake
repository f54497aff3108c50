# The piece listing and budget of an order, and how ostrel reads them.
vor_add_test(piece_listing_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/piece_listing_test.cpp
             LIBS vorcore ostrel_core)
