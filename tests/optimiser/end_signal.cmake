# The end-of-run signal: beeps, tones on the window's timer ticks and waves.
vor_add_test(end_signal_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/end_signal_test.cpp
  LIBS vorcore)
