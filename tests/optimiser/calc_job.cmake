# The calculation driver on the run controller's worker thread.
if(TARGET vorshell)
  vor_add_test(calc_job_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/calc_job_test.cpp
    LIBS vorshell vor_ui_test_support vor_test_support)
endif()
