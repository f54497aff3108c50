vor_add_test(material_calculation_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/material_calculation_test.cpp
  LIBS vorcore)
