# The imports' rules: the source chooser, the clipboard cells.
vor_add_test(import_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/import_test.cpp LIBS vorcore)

if(TARGET vorshell)
  vor_add_test(import_window_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/import_window_test.cpp
    LIBS vorshell vor_ui_test_support)
  # Pictures of the windows go into the build tree.
  target_compile_definitions(import_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(import_window_tests language_files)
  endif()
  # The clipboard import over the real X11 clipboard, the cells owned by xclip.
  add_test(NAME import_window_x11_clipboard
    COMMAND xvfb-run -a -s "-screen 0 1280x1024x24"
            env QT_QPA_PLATFORM=xcb $<TARGET_FILE:import_window_tests>
            --gtest_filter=*X11*)
  set_tests_properties(import_window_x11_clipboard PROPERTIES LABELS x11 TIMEOUT 120 RESOURCE_LOCK xvfb
    # libxkbcommon-x11 strndup()s atom names that carry no NUL, which strict
    # string checks of the sanitizer build take for an overflow.
    ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::strict_string_checks=0")
endif()
