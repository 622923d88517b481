# Libraries the first page does not need are loaded when the program first calls into them, not
# as it starts: each one, and what it loads in turn (comdlg32 brings the print spooler's), holds up
# the first page. A delay-import library per system library, made with dlltool from the functions
# the program calls (name@bytes of arguments, as the 32-bit names are decorated). By the time the
# first call comes, the library search is restricted to the system folder, and all three are known
# libraries that Windows takes from there anyway.
#
# A function missing here fails the link with an undefined __imp_ name: add it to its list.
set(SETUP_DELAYED_IMPORTS
    "comdlg32.dll:PrintDlgA@4"
    "ole32.dll:CoCreateInstance@20,CoInitialize@4,CoTaskMemFree@4,CoUninitialize@0"
    "shell32.dll:SHBrowseForFolderA@4,SHGetKnownFolderPath@16,SHGetPathFromIDListA@8,SHGetSpecialFolderPathA@16")

# setup_delayed_import_libraries(<variable>): the delay-import libraries, as targets to link
# before the ordinary import libraries.
function(setup_delayed_import_libraries variable)
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "no dlltool found beside the compiler: the delay-import libraries need it")
  endif()
  set(folder "${CMAKE_BINARY_DIR}/delayed-imports")
  file(MAKE_DIRECTORY "${folder}")
  set(libraries)
  # --kill-at: the 32-bit import names lose their @bytes; the symbols keep them.
  set(kill_at)
  if(SETUP_ARCH STREQUAL "ia32")
    set(kill_at --kill-at)
  endif()
  foreach(entry IN LISTS SETUP_DELAYED_IMPORTS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 dll)
    list(GET parts 1 functions)
    string(REPLACE "," ";" functions "${functions}")
    string(REGEX REPLACE "\\.dll$" "" name "${dll}")
    set(definition "LIBRARY ${dll}\nEXPORTS\n")
    foreach(function IN LISTS functions)
      if(SETUP_ARCH STREQUAL "x64")
        string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
      endif()
      string(APPEND definition "${function}\n")
    endforeach()
    set(def "${folder}/${name}.def")
    set(library "${folder}/lib${name}-delayed.a")
    file(CONFIGURE OUTPUT "${def}" CONTENT "${definition}")
    add_custom_command(
      OUTPUT "${library}"
      COMMAND "${CMAKE_DLLTOOL}" --input-def "${def}" --dllname "${dll}" --output-delaylib
              "${library}" ${kill_at}
      DEPENDS "${def}" VERBATIM)
    add_custom_target(${name}_delayed_lib DEPENDS "${library}")
    add_library(${name}_delayed STATIC IMPORTED)
    set_target_properties(${name}_delayed PROPERTIES IMPORTED_LOCATION "${library}")
    add_dependencies(${name}_delayed ${name}_delayed_lib)
    list(APPEND libraries ${name}_delayed)
  endforeach()
  set(${variable} ${libraries} PARENT_SCOPE)
endfunction()
