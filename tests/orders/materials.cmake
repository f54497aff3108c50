# The material record and table, the material file, and the material window.
vor_add_test(material_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/material_record_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/material_file_test.cpp
  LIBS vorcore)

if(TARGET vorshell)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
  vor_add_test(material_window_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/material_window_test.cpp
    LIBS vorshell vor_ui_test_support Qt6::Test)
  # Pictures of the window go into the build tree.
  target_compile_definitions(material_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(material_window_tests language_files)
  endif()
endif()

if(TARGET vorshell)
  vor_add_test(resources_window_tests QT
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/resources_window_test.cpp
    LIBS vorshell vor_ui_test_support Qt6::Test)
  target_compile_definitions(resources_window_tests PRIVATE VOR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  if(TARGET language_files)
    add_dependencies(resources_window_tests language_files)
  endif()
endif()
