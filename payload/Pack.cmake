# cmake -DTREE=<folder> -DSTAGE=<folder> -DOUT=<archive> -DSEVENZIP=<7zz> [-DEXTRA=src|dest;...]
#   [-DFILLER_MB=<n> -DFILLER_DIR=<folder in archive> -DFILLER_SCRIPT=<make-tree.sh>] -P Pack.cmake
# Stages a sample tree, adds built programs to it and packs it as a 7z archive (contents at top
# level of the archive, as the installer expects).
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
if(EXISTS "${TREE}")
  file(COPY "${TREE}/" DESTINATION "${STAGE}")
endif()
foreach(pair IN LISTS EXTRA)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 source)
  list(GET parts 1 destination)
  get_filename_component(folder "${STAGE}/${destination}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${source}" "${STAGE}/${destination}")
endforeach()
# Benchmark builds pad the archives to a realistic size with generated libraries.
if(FILLER_MB GREATER 0)
  execute_process(COMMAND "${FILLER_SCRIPT}" "${STAGE}/${FILLER_DIR}/filler" "${FILLER_MB}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not generate the filler of ${OUT}")
  endif()
endif()
file(REMOVE "${OUT}")
execute_process(COMMAND "${SEVENZIP}" a -t7z -bd -y -mx=5 "${OUT}" *
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "7zz could not pack ${OUT}")
endif()
