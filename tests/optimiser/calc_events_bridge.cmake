# The calculation's events handed from a worker thread to the UI thread:
# signals in order, message boxes the worker waits for, sounds and the end
# signal's timer.
if(TARGET vorshell)
  vor_add_test(calc_events_bridge_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_events_bridge_test.cpp
    LIBS vorshell vor_ui_test_support)
endif()
