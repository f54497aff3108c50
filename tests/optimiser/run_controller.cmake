# The run controller: a fake job on the worker thread, the flags and the
# queued progress.
if(TARGET vorshell)
  vor_add_test(run_controller_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/run_controller_test.cpp
    LIBS vorshell vor_ui_test_support)
endif()
