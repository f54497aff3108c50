# Assembles the ready installation in build/vorlane: programs, data folders and
# the shipped files of dist/.
set(VOR_INSTALL_DIR ${CMAKE_BINARY_DIR}/vorlane)
set(VOR_PROGRAMS vorplan kalendo ostrel)

set(_program_files)
foreach(program IN LISTS VOR_PROGRAMS)
  list(APPEND _program_files $<TARGET_FILE:${program}>)
endforeach()
string(REPLACE ";" "|" _program_arg "${_program_files}")

add_custom_target(installation ALL
  COMMAND ${CMAKE_COMMAND}
    -DDEST=${VOR_INSTALL_DIR}
    -DDIST=${PROJECT_SOURCE_DIR}/dist
    "-DPROGRAMS=${_program_arg}"
    -P ${PROJECT_SOURCE_DIR}/cmake/AssembleInstallation.cmake
  DEPENDS ${VOR_PROGRAMS}
  COMMENT "Assembling the installation in ${VOR_INSTALL_DIR}"
  VERBATIM)

if(TARGET language_files)
  add_dependencies(installation language_files)
endif()
