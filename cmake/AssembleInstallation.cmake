# cmake -DDEST=... -DDIST=... -DPROGRAMS=a|b -P AssembleInstallation.cmake
#
# Program files and the files the programs own (LANG, HLP, files at the top of
# dist/) are refreshed at every build. Everything else in dist/ is example data
# that a user may have changed in this installation: it is copied only when the
# file is not there yet, so a rebuild never overwrites what a user typed.

# Script mode sets no policies by itself; IN_LIST below needs them.
cmake_minimum_required(VERSION 3.25)

set(data_folders MONT CNC OLD_MONT MAT PED CHP TMP CFG HLP REL EXPORT IMPORT MRP LANG)
set(owned_folders LANG HLP)

file(MAKE_DIRECTORY ${DEST})
foreach(folder IN LISTS data_folders)
  file(MAKE_DIRECTORY ${DEST}/${folder})
endforeach()

string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  file(COPY ${program} DESTINATION ${DEST}
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                        WORLD_READ WORLD_EXECUTE)
endforeach()

file(GLOB_RECURSE shipped RELATIVE ${DIST} ${DIST}/*)
foreach(rel IN LISTS shipped)
  get_filename_component(name ${rel} NAME)
  if(name STREQUAL ".gitkeep")
    continue()
  endif()
  string(REGEX MATCH "^[^/]+" top ${rel})
  set(src ${DIST}/${rel})
  set(dst ${DEST}/${rel})
  get_filename_component(dst_dir ${dst} DIRECTORY)
  file(MAKE_DIRECTORY ${dst_dir})
  if(top STREQUAL rel OR top IN_LIST owned_folders)
    file(COPY_FILE ${src} ${dst} ONLY_IF_DIFFERENT)
  elseif(NOT EXISTS ${dst})
    file(COPY_FILE ${src} ${dst})
  endif()
endforeach()
